#include "app/MainWindowLoad.h"

#include "app/Program.h"
#include "app/SwitchCode.h"
#include "platform/CivilTime.h"

namespace dorvex {

void MainWindowLoad::Form_Load() {
    DorvexLMain& window = program_.mainWindow;
    ProgramState& state = program_.state;
    window.model().caption = AppName;
    program_.fileChecks.Check_Dir("Data");
    state.SwitchCode = readSwitchCode(program_.argumentText());
    program_.platform.priority.raiseThreadPriority();
    program_.platform.priority.raiseProcessPriority();
    state.run.AboutOpen = false;
    program_.configFile.Config_Read();
    program_.runDisplay.Reset_Display();
    state.SkipForeground = false;
    state.UpdateBusy = false;
    // The first automatic update check is due three seconds after start-up.
    state.UpdateDue = toSerialSeconds(program_.platform.clock.now()) + 3;
    state.LogDir = "Log/";
    program_.activityLog.Write_Log(0, "", "");
    program_.activityLog.Write_Log(2, "", "");
    program_.activityLog.Write_Log(3, "", "");
    program_.runDisplay.Start_Monitor();
    // The program starts in the tray.
    window.setState(WindowState::Minimised);
    program_.tray.Set_TrayIcon("Start");
    program_.tray.hideToTray();
}

void MainWindowLoad::Form_Activate() {
    WindowModel& model = program_.mainWindow.model();
    if (model.state == WindowState::Minimised) {
        program_.tray.hideToTray();
    }
    if (model.state == WindowState::Normal) {
        model.focus = "Park";
    }
    program_.mainWindow.mPopUpExit.enabled = program_.Is_Admin();
}

} // namespace dorvex

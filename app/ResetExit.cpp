#include "app/ResetExit.h"

#include "app/Program.h"

namespace dorvex {

std::string ResetExit::runStateText() const {
    switch (program_.state.run.RunMode) {
    case RunState::StartUpDelay:
        return "Initialise";
    case RunState::Monitoring:
        return "Run";
    default:
        return program_.state.run.ShutTypeText;
    }
}

void ResetExit::Reset_Click() {
    program_.activityLog.Write_Log(1, "Reset", runStateText());
    Reset_Monitor();
    if (program_.mainWindow.model().state == WindowState::Normal) {
        program_.mainWindow.model().focus = "Park";
    }
}

void ResetExit::Reset_Monitor() {
    const RunState& run = program_.state.run;
    DorvexLMain& window = program_.mainWindow;
    if (program_.state.settings.StopOn == Settings::On && run.RunMode != RunState::Countdown) {
        program_.fixedTimeEntry.Update_StopTime();
        // A countdown that began while its message was open is not cancelled by this reset.
        if (run.RunMode == RunState::Countdown) {
            return;
        }
    }
    if (run.RunMode == RunState::Countdown) {
        window.Reset.text = "&Reset";
        window.Reset.toolTip = std::string("Reset ") + AppName;
        // The countdown took the button from users who may not cancel; the new run gives it back.
        window.Reset.enabled = true;
        program_.platform.notices.withdraw();
    }
    window.mPopUpReset.visible = true;
    window.mPopUpCancel.visible = false;
    window.mPopUpAbout.enabled = true;
    window.mPopUpMin.enabled = true;
    window.mPopUpRestore.enabled = true;
    if (program_.Is_Admin()) {
        window.mPopUpTest.enabled = true;
        window.mPopUpExit.enabled = true;
    }
    program_.tray.Set_TrayIcon("Activate");
    program_.runDisplay.Reset_Display();
    program_.runDisplay.Start_Monitor();
}

void ResetExit::Disable_Buttons() {
    DorvexLMain& window = program_.mainWindow;
    window.TestS.enabled = false;
    // During the countdown the Reset button cancels it and stays usable.
    if (program_.state.run.RunMode == RunState::Countdown) {
        window.mPopUpCancel.enabled = false;
    } else {
        window.Reset.enabled = false;
    }
    window.About.enabled = false;
    window.mPopUpAbout.enabled = false;
    window.mPopUpReset.enabled = false;
    window.mPopUpTest.enabled = false;
}

void ResetExit::Disable_Buttons1() {
    program_.mainWindow.About.enabled = false;
    program_.mainWindow.mPopUpAbout.enabled = false;
    program_.updateCommands.Disable_Update(true);
}

void ResetExit::Exit_Click() {
    program_.aboutBox.unload();
    program_.updateWindow.unload();
    unloadMainWindow();
}

void ResetExit::Form_Unload() {
    program_.mainWindow.tmrRefresh.setTimerEnabled(false);
    program_.activityLog.Write_Log(1, "Exit", runStateText());
    program_.aboutBox.unload();
    program_.tray.remove();
    program_.platform.notices.withdraw();
}

void ResetExit::unloadMainWindow() {
    program_.mainWindow.unload();
    program_.endProcess(0);
}

} // namespace dorvex

#include "shutdown/ShutdownCountdown.h"

#include "app/Program.h"
#include "app/RunningFlag.h"
#include "platform/CivilTime.h"
#include "ui/Colours.h"

#include <cstdio>

namespace dorvex {

void ShutdownCountdown::Shutdown_Countdown() {
    {
        const RunningFlag running(stepRunning_);
        step();
    }
    if (refusedHibernation_) {
        const std::string report = refusedHibernation_->report();
        refusedHibernation_.reset();
        program_.messageBox(AppName, report, MessageIcon::Stop);
    }
}

void ShutdownCountdown::step() {
    RunState& run = program_.state.run;
    if (run.PhaseSeconds == 0) {
        program_.tray.Show_Window();
        program_.tray.Set_TrayIcon("Shutdown");
    }
    if (run.TestMode) {
        testStep();
        return;
    }
    if (run.PhaseSeconds == 0) {
        program_.activityLog.Write_Log(1, "Enter", run.ShutTypeText);
        // A blind user hears at once that the machine is about to go off.
        ++program_.mainWindow.StatusActA.raised;
        program_.tray.Show_Window();
        // A full-screen window hides even a window on top; the desktop's urgent notice it does
        // not. The notice stays as shown, so it tells the time of the end rather than the seconds.
        const LocalDateTime end =
            fromSerialSeconds(toSerialSeconds(program_.platform.clock.now()) + run.CountdownSecs);
        char at[16];
        std::snprintf(at, sizeof at, "At %02d:%02d:%02d. ", end.hour, end.minute, end.second);
        program_.platform.notices.show(countdownText(),
                                       at + std::string("An administrator can cancel it in the ") +
                                           AppName + " window or from its tray icon.");
    }
    program_.tray.Set_TrayIcon("Shutdown");
    DorvexLMain& window = program_.mainWindow;
    window.About.enabled = false;
    window.TestS.enabled = false;
    window.Exit.enabled = false;
    program_.updateCommands.Disable_Update(true);
    showCountdown();
    lockCommands();
    program_.updateCommands.Disable_Update(true);
    if (run.PhaseSeconds >= run.CountdownSecs) {
        actionsAtZero();
    }
    ++run.PhaseSeconds;
}

std::string ShutdownCountdown::countdownText() const {
    const RunState& run = program_.state.run;
    const std::string prefix = program_.state.settings.ShutType == Settings::Hibernate
                                   ? "The Computer Will Hibernate In "
                                   : "The Computer Will Power Off In ";
    return prefix + std::to_string(run.CountdownSecs - run.PhaseSeconds) + "s";
}

void ShutdownCountdown::showCountdown() {
    DorvexLMain& window = program_.mainWindow;
    window.StatusActA.backColour = Orange;
    window.StatusActA.foreColour = White;
    window.StatusActA.font.bold = true;
    window.StatusActA.text = countdownText();
    for (Control* box : {&window.StatusActT, &window.CPUAct, &window.KeyAct, &window.MouseAct}) {
        box->text = box == &window.StatusActT || box == &window.CPUAct ? "- - -" : "-";
        box->foreColour = Colour::windowText();
        box->backColour = Colour::buttonFace();
    }
    window.StopTimeT.enabled = false;
    window.StopTimeT.locked = true;
    window.StopTimeT.backColour = Colour::buttonFace();
}

// Everything but Cancel is locked, and only administrators may cancel.
void ShutdownCountdown::lockCommands() {
    DorvexLMain& window = program_.mainWindow;
    const bool admin = program_.Is_Admin();
    if (!admin) {
        window.Reset.enabled = false;
    } else {
        window.Reset.text = "&Cancel";
        window.Reset.toolTip =
            std::string("Cancel ") + AppName + " " + program_.state.run.ShutTypeText;
    }
    for (MenuItem* item : {&window.mPopUpAbout, &window.mPopUpMin, &window.mPopUpRestore,
                           &window.mPopUpTest, &window.mPopUpExit}) {
        item->enabled = false;
    }
    window.mPopUpReset.visible = false;
    if (admin) {
        window.mPopUpCancel.visible = true;
    }
}

void ShutdownCountdown::actionsAtZero() {
    const std::string shutType = program_.state.run.ShutTypeText;
    const bool powerOff = program_.state.settings.ShutType == Settings::PowerOff;
    const bool hibernate = program_.state.settings.ShutType == Settings::Hibernate;
    const bool simulate = program_.state.SwitchCode != 0;
    ActivityLog& log = program_.activityLog;

    program_.platform.notices.withdraw();
    if (powerOff) {
        log.Write_Log(1, "Start", shutType);
    }
    if (powerOff && !simulate) {
        // A refusal is raised from here, so no "Close" entry is written for it.
        program_.mdShut.ShutdownSystem(12);
    }
    if (simulate) {
        log.Write_Log(1, "Simulate", shutType);
        program_.messageBox(std::string(AppName) + " Simulate " + shutType, "Test Real " + shutType,
                            MessageIcon::None);
    }
    if (hibernate) {
        program_.resetExit.Reset_Monitor();
        if (!simulate) {
            // A machine that cannot hibernate goes on being watched from the start-up delay.
            try {
                program_.mdShut.Hibernate_System();
            } catch (const ShutdownError& error) {
                refusedHibernation_ = error;
            }
        }
    }
    if (powerOff) {
        log.Write_Log(1, "Close", shutType);
    }
    if (hibernate && !refusedHibernation_) {
        log.Write_Log(1, "----------", "----------");
        log.Write_Log(1, "----------", "----------");
        log.Write_Log(1, "Restart", shutType);
    }
    if (powerOff) {
        program_.tray.remove();
        program_.resetExit.unloadMainWindow();
    }
    if (hibernate) {
        program_.mainWindow.setState(WindowState::Minimised);
    }
}

void ShutdownCountdown::testStep() {
    program_.activityLog.Write_Log(1, "Simulate", program_.state.run.ShutTypeText);
    program_.timedMsgBox.Timed_MsgBox("Test " + program_.state.run.ShutTypeText, 60, 0,
                                      std::string(AppName) + " Test");
    program_.runDisplay.Reset_Display();
    program_.runDisplay.Start_Monitor();
    program_.mainWindow.mPopUpAbout.enabled = true;
    program_.updateCommands.Disable_Update(false);
}

void ShutdownCountdown::TestS_Click() {
    RunState& run = program_.state.run;
    DorvexLMain& window = program_.mainWindow;
    program_.activityLog.Write_Log(1, run.TestMode ? "Reset" : "Enter", "Test");
    program_.tray.Set_TrayIcon("Activate");
    program_.runDisplay.Reset_Display();
    run.TestMode = true;
    run.CPUIdleLimit = 5;
    run.KMIdleLimit = 5;
    run.PhaseSeconds = 2;
    program_.runDisplay.Start_Monitor();
    window.Reset.text = "&Reset";
    window.model().caption = std::string(AppName) + " - Test Mode";
    window.Reset.toolTip = "Reset";
    window.StopTimeT.enabled = false;
    window.mPopUpReset.visible = true;
    window.mPopUpCancel.visible = false;
    program_.resetExit.Disable_Buttons1();
    if (window.model().state == WindowState::Normal) {
        window.model().focus = "Park";
    }
}

} // namespace dorvex

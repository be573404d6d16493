#include "ui/RunDisplay.h"

#include "app/Program.h"
#include "config/SingleText.h"
#include "log/DateText.h"
#include "ui/Colours.h"

namespace dorvex {

void RunDisplay::Reset_Display() {
    RunState& run = program_.state.run;
    const Settings& settings = program_.state.settings;
    DorvexLMain& window = program_.mainWindow;

    run.TestMode = false;
    window.tmrRefresh.setTimerEnabled(false);
    run.RunMode = RunState::StartUpDelay;
    run.PhaseSeconds = 2;
    run.CPUQuiet = 1;
    run.CPUIdleTime = 60;
    run.CPULevel = 15;
    run.KMIdleTime = 900;
    run.CountdownSecs = 60;
    applySwitchTimings();
    run.AboutCloseSecs = 60;
    program_.state.samples.KMActText = settings.KMOn == Settings::Off ? "" : " . .";
    window.StatusActT.foreColour = Blue;
    window.StatusActT.text.clear();
    if (settings.ShutType == Settings::PowerOff) {
        run.ShutTypeText = "Power Off";
    } else if (settings.ShutType == Settings::Hibernate) {
        run.ShutTypeText = "Hibernate";
    }
    run.CPUIdleLimit = run.CPUIdleTime;
    if (settings.KMOn == Settings::Off) {
        run.KMIdleTime = run.CPUIdleTime;
    }
    run.KMIdleLimit = run.KMIdleTime;
    if (settings.StopOn == Settings::On) {
        const std::string hhmm = stopTimeDigits(settings.StopTime);
        run.StopTimeSecs = static_cast<float>(
            (std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(2))) * 60);
    }
    resetReadings();
    program_.updateCommands.Disable_Update(false);
    window.About.enabled = true;
    applyAdministratorRights();
    program_.sampling.CPUUsage = ClsCPUUsageNT(program_.platform.systemTimes);
    program_.sampling.input.Prime_Input();
}

void RunDisplay::applySwitchTimings() {
    RunState& run = program_.state.run;
    switch (program_.state.SwitchCode) {
    case 1:
    case 4:
        run.CPUIdleTime = 3;
        run.CountdownSecs = 6;
        run.CPULevel = 50;
        run.KMIdleTime = 6;
        break;
    case 2:
        run.CPUIdleTime = 3;
        run.CPULevel = 50;
        run.KMIdleTime = 3;
        break;
    case 9:
        run.CPULevel = 50;
        break;
    default:
        break;
    }
}

// A box whose input is watched has the window background; one not watched the button face.
void RunDisplay::resetReadings() {
    SampleState& samples = program_.state.samples;
    const Settings& settings = program_.state.settings;
    DorvexLMain& window = program_.mainWindow;
    auto blank = [](Control& box, bool watched) {
        box.foreColour = Colour::windowText();
        box.backColour = watched ? Colour::windowBackground() : Colour::buttonFace();
    };

    samples.CPUSamples[0] = 0;
    samples.CPUSampleIndex = 0;
    samples.showNoAverage(" ...");
    window.CPUAct.text = "- - -";
    blank(window.CPUAct, settings.CPUOn == Settings::On);
    window.KeyAct.text = "-";
    blank(window.KeyAct, settings.KMOn == Settings::On);
    window.MouseAct.text = "-";
    blank(window.MouseAct, settings.KMOn == Settings::On);
    // With the fixed time in force the box keeps the configured time.
    if (settings.StopOn == Settings::Off) {
        window.StopTimeT.text = "--:--";
    }
    blank(window.StopTimeT, settings.StopOn == Settings::On);
    window.StopTimeT.enabled = false;
}

void RunDisplay::applyAdministratorRights() {
    DorvexLMain& window = program_.mainWindow;
    if (!program_.Is_Admin()) {
        program_.adminHelpers.Set_SysMenu(false);
        return;
    }
    window.TestS.enabled = true;
    window.Exit.enabled = true;
    program_.adminHelpers.Set_SysMenu(true);
    window.mPopUpExit.enabled = true;
    window.mPopUpTest.enabled = true;
}

std::string RunDisplay::titleText() const {
    const Settings& settings = program_.state.settings;
    const RunState& run = program_.state.run;
    if (program_.state.SwitchCode == 2) {
        return "Power Off if there is no activity for 900 sec";
    }
    std::string title = settings.ShutType == Settings::Hibernate ? "Hibernate" : "Power Off";
    const bool watched = settings.CPUOn == Settings::On || settings.KMOn == Settings::On;
    if (watched) {
        title += " if there is no activity for " + std::to_string(run.KMIdleLimit) + " sec";
    }
    if (watched && settings.StopOn == Settings::On) {
        title += " or";
    }
    if (settings.StopOn == Settings::On) {
        title += " at " + fixedTimeText();
    }
    return title;
}

std::string RunDisplay::fixedTimeText() const {
    const float seconds = program_.state.run.StopTimeSecs;
    const int hour = static_cast<int>(seconds / 3600);
    const int minute = static_cast<int>(seconds / 60) - 60 * hour;
    return twoDigits(hour) + ":" + twoDigits(minute);
}

void RunDisplay::Start_Monitor() {
    RunState& run = program_.state.run;
    DorvexLMain& window = program_.mainWindow;

    window.Reset.toolTip = program_.state.settings.StopOn == Settings::On
                               ? "Save fixed time shutdown and reset Dorvex Zede"
                               : std::string("Reset ") + AppName;
    window.Exit.toolTip = std::string("Exit ") + AppName;
    window.About.toolTip = std::string("About ") + AppName;
    window.model().caption = AppName;
    window.Title.text = titleText();
    run.StartText = "Activate";
    window.StatusActT.text = "Inactive";
    window.StatusActA.backColour = Colour::buttonFace();
    window.StatusActA.foreColour = Blue;
    window.StatusActA.font.bold = false;
    window.StatusActA.text = run.StartText + " in " + std::to_string(run.PhaseSeconds) + "s";
    window.StatusActT.foreColour = Blue;
    program_.state.CentreWindow = true;
    window.model().topmost = false;
    window.tmrRefresh.setTimerEnabled(true);
    program_.activityLog.Write_Log(1, "Start", "Initialise");
}

} // namespace dorvex

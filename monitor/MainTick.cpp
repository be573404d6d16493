#include "monitor/MainTick.h"

#include "app/Program.h"
#include "ui/Colours.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace dorvex {

namespace {

void countUp(std::int16_t& seconds) {
    if (seconds < INT16_MAX) {
        ++seconds;
    }
}

// "No activity for <seconds>s", written into the text in place: this runs every second.
void showQuietSeconds(std::string& text, std::int16_t seconds) {
    std::array<char, 8> digits{};
    char* end = std::to_chars(digits.data(), digits.data() + digits.size(), seconds).ptr;
    text.assign("No activity for ");
    text.append(digits.data(), end);
    text.push_back('s');
}

} // namespace

void MainTick::tmrRefresh_Timer() {
    // Ticks go on while a menu or a message box is open; only a countdown step that waits (in its
    // message or the hibernation) holds them, so that the step does not run again behind it.
    if (program_.shutdownCountdown.stepWaiting()) {
        return;
    }
    RunState& run = program_.state.run;
    if (run.RunMode == RunState::Monitoring && !run.AboutOpen) {
        Check_Activity();
    }
    if (run.RunMode == RunState::StartUpDelay && !run.AboutOpen) {
        Start_Delay();
    }
    // The update check has its chance on every tick that does not begin and end in the countdown.
    if (run.RunMode == RunState::Countdown) {
        if (!run.AboutOpen) {
            program_.shutdownCountdown.Shutdown_Countdown();
        }
        if (run.RunMode != RunState::Countdown) {
            program_.updateCommands.Check_Update_Time();
        }
    } else {
        program_.updateCommands.Check_Update_Time();
    }
    if (run.AboutCloseSecs <= 0 && run.AboutOpen) {
        program_.aboutBox.unload();
    }
    program_.tray.showStatus();
}

void MainTick::Start_Delay() {
    RunState& run = program_.state.run;
    const Settings& settings = program_.state.settings;
    DorvexLMain& window = program_.mainWindow;

    --run.PhaseSeconds;
    window.StatusActA.text = run.StartText + " in " + std::to_string(run.PhaseSeconds) + "s";
    if (run.PhaseSeconds != 0) {
        return;
    }
    run.RunMode = RunState::Monitoring;
    program_.activityLog.Write_Log(1, "Enter", "Run");
    run.PhaseSeconds = 0;
    run.CPUIdleCount = 0;
    run.KMIdleCount = 0;
    program_.sampling.CPUUsage.Initialise64();
    program_.sampling.input.Prime_Input();
    if (settings.StopOn == Settings::On) {
        window.StopTimeT.enabled = true;
        window.StopTimeT.locked = false;
    }
    window.StatusActA.text.clear();
    // A kind that is not watched counts as idle for its whole time from the start.
    if (settings.CPUOn == Settings::Off) {
        run.CPUIdleCount = run.CPUIdleLimit;
    }
    if (settings.KMOn == Settings::Off) {
        run.KMIdleCount = run.KMIdleLimit;
    }
}

void MainTick::Check_Activity() {
    RunState& run = program_.state.run;
    const Settings& settings = program_.state.settings;
    DorvexLMain& window = program_.mainWindow;

    program_.sampling.Sample_Activity();

    // Held at its bound: with only the fixed time watched nothing else stops it.
    countUp(run.PhaseSeconds);
    if (settings.CPUOn == Settings::On) {
        countUp(run.CPUIdleCount);
    }
    if (settings.KMOn == Settings::On) {
        countUp(run.KMIdleCount);
    }
    if (run.CPUQuiet == 0) {
        run.CPUIdleCount = 0;
        run.PhaseSeconds = 0;
    }
    if (run.KMQuiet == 0) {
        run.KMIdleCount = 0;
        run.PhaseSeconds = 0;
    }
    run.KMIdleCount = std::min(run.KMIdleCount, run.KMIdleLimit);
    run.CPUIdleCount = std::min(run.CPUIdleCount, run.CPUIdleLimit);

    if (run.PhaseSeconds > 0) {
        showQuietSeconds(window.StatusActT.text, run.PhaseSeconds);
        window.StatusActT.foreColour = Orange;
    }
    if (run.PhaseSeconds == 1) {
        program_.tray.Set_TrayIcon("NoActivity");
    }
    if (run.PhaseSeconds == 0) {
        window.StatusActT.text = "Activity";
        window.StatusActT.foreColour = Green;
        program_.tray.Set_TrayIcon("Activity");
    }
    if (settings.CPUOn == Settings::Off && settings.KMOn == Settings::Off &&
        settings.StopOn == Settings::On) {
        window.StatusActT.text = "Active";
        window.StatusActT.foreColour = Orange;
    }

    const bool watched = settings.CPUOn == Settings::On || settings.KMOn == Settings::On;
    const bool idleReached =
        watched && run.CPUIdleCount >= run.CPUIdleLimit && run.KMIdleCount >= run.KMIdleLimit;
    // The local time is asked only when the fixed time is watched.
    const bool timeReached =
        settings.StopOn == Settings::On && run.StopTimeSecs == timeOfDayToTheMinute();
    if (idleReached || timeReached) {
        // The hand-over to the countdown, whose first step follows in this same tick.
        run.RunMode = RunState::Countdown;
        run.PhaseSeconds = 0;
        window.StopTimeT.enabled = false;
    }
    run.CPUQuiet = 1;
}

// The time of day to the minute, in seconds, as the fixed time is kept.
float MainTick::timeOfDayToTheMinute() const {
    const LocalDateTime now = program_.platform.clock.now();
    return static_cast<float>((now.hour * 60 + now.minute) * 60);
}

} // namespace dorvex

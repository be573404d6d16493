#include "monitor/ActivitySampling.h"

#include "app/Program.h"
#include "ui/Colours.h"

#include <algorithm>
#include <cstdlib>

namespace dorvex {

ActivitySampling::ActivitySampling(Program& program)
    : CPUUsage(program.platform.systemTimes), input(program.platform.input), program_(program) {}

void ActivitySampling::Sample_Activity() {
    RunState& run = program_.state.run;
    SampleState& samples = program_.state.samples;
    const Settings& settings = program_.state.settings;
    DorvexLMain& window = program_.mainWindow;

    run.CPUQuiet = 1;
    run.KMQuiet = 1;
    for (std::vector<std::string>& signs : seen_) {
        signs.clear();
    }
    // Polled also when not watched, so that a backend gathering raw input between polls does
    // not gather it without end.
    const std::string polled = input.Poll_Input();
    if (settings.KMOn == Settings::On) {
        samples.KMActText = polled;
        run.KMQuiet = samples.KMActText == "_ _" ? 1 : 0;
        // Input nobody can see is no sign of an idle machine: it counts as in use. So does quiet
        // input while someone is there all the same: a film plays, a call goes on, another
        // session is used.
        std::string inUse = program_.platform.input.notWatchedReason();
        if (!inUse.empty()) {
            samples.KMActText = "? ?";
        } else if (run.KMQuiet == 1) {
            // Asked only while nobody types or points: input counts as use without asking.
            inUse = signsOf(SignKind::Presence, run.KMIdleLimit);
        }
        if (!inUse.empty()) {
            run.KMQuiet = 0;
        }
        if (inUse.empty()) {
            window.StatusActT.toolTip.clear();
        } else {
            window.StatusActT.toolTip = "Keyboard and mouse count as in use: " + inUse;
        }
    }

    // The load shown is the average of the previous tick.
    if (settings.CPUOn == Settings::On) {
        window.CPUAct.text = samples.CPUAvgText;
    }
    // A text without a number counts as 0.
    const bool shownIsQuiet = samples.CPUAvgShown.value_or(0) < run.CPULevel;
    window.CPUAct.foreColour = settings.CPUOn == Settings::On && shownIsQuiet ? Orange : Green;

    const bool watchInput = settings.KMOn == Settings::On;
    if (watchInput) {
        window.KeyAct.text.assign(1, samples.KMActText.front());
        window.MouseAct.text.assign(1, samples.KMActText.back());
    }
    window.KeyAct.foreColour = watchInput && samples.KMActText.front() == '_' ? Orange : Green;
    window.MouseAct.foreColour = watchInput && samples.KMActText.back() == '_' ? Orange : Green;

    if (settings.CPUOn != Settings::On) {
        return;
    }
    sampleLoad();
    // A transfer works for someone at a low load. Asked on every tick, busy or not: its average
    // needs every second.
    const std::string working = signsOf(SignKind::Work, run.CPUIdleLimit);
    if (!working.empty()) {
        run.CPUQuiet = 0;
        window.CPUAct.toolTip = "Counts as busy: " + working;
    } else {
        window.CPUAct.toolTip.clear();
    }
}

void ActivitySampling::sampleLoad() {
    RunState& run = program_.state.run;
    const std::int32_t load = CPUUsage.Query64();
    if (load == -1) {
        program_.state.samples.showNoAverage("Err  ");
        if (run.PhaseSeconds > 0) {
            --run.PhaseSeconds;
        }
        CPUUsage.Initialise64();
        return;
    }
    recordLoad(load);
}

std::string ActivitySampling::signsOf(SignKind kind, int quietLimit) {
    std::vector<std::string>& signs = seen_[static_cast<std::size_t>(kind)];
    for (SignSource* source : program_.platform.signSources) {
        if (source->kind() == kind) {
            source->addSigns(std::chrono::seconds(quietLimit), signs);
        }
    }
    std::string joined;
    for (const std::string& sign : signs) {
        joined += joined.empty() ? sign : "; " + sign;
    }
    return joined;
}

void ActivitySampling::recordLoad(std::int32_t load) {
    RunState& run = program_.state.run;
    SampleState& samples = program_.state.samples;
    auto& ring = samples.CPUSamples;

    ring[0] = static_cast<std::int16_t>(std::min(ring[0] + 1, 5));
    samples.CPUSampleIndex = static_cast<std::int16_t>(samples.CPUSampleIndex % 5 + 1);
    // Counters that disagree wildly must not overflow the 16-bit slot.
    ring[static_cast<std::size_t>(samples.CPUSampleIndex)] =
        static_cast<std::int16_t>(std::min<std::int64_t>(std::llabs(load), INT16_MAX));

    int sum = 0;
    for (int slot = 1; slot <= ring[0]; ++slot) {
        sum += ring[static_cast<std::size_t>(slot)];
    }
    const double average = static_cast<double>(sum) / ring[0];
    run.CPUQuiet = average < run.CPULevel ? 1 : 0;
    samples.showAverage(static_cast<int>(average));
}

} // namespace dorvex

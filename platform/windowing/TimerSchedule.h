#pragma once

#include "platform/WindowModel.h"

#include <cstdint>
#include <utility>

namespace dorvex {

// When a native timer starts and stops to follow its control: it runs while the control is
// enabled with an interval, and starts its period again when the program starts it again or
// changes the interval.
class TimerSchedule {
public:
    enum class Step { Keep, Start, Stop };

    // The step that brings the native timer in line with the model; a Start counts as done.
    Step follow(const Control& model) {
        if (!model.enabled || model.intervalMs <= 0) {
            return stopped() ? Step::Stop : Step::Keep;
        }
        if (running_ && starts_ == model.starts && intervalMs_ == model.intervalMs) {
            return Step::Keep;
        }
        running_ = true;
        starts_ = model.starts;
        intervalMs_ = model.intervalMs;
        return Step::Start;
    }
    // Takes the timer as stopped; true when it was running and must be stopped now.
    bool stopped() { return std::exchange(running_, false); }

private:
    bool running_ = false;
    std::uint32_t starts_ = 0;
    int intervalMs_ = 0;
};

} // namespace dorvex

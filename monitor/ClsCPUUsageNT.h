#pragma once

#include "platform/SystemTimes.h"

#include <cstdint>

namespace dorvex {

// The load of the whole machine between two calls, from the system's idle, kernel and user
// times. A new instance measures nothing until Initialise64 starts its first interval.
class ClsCPUUsageNT {
public:
    explicit ClsCPUUsageNT(SystemTimesSource& source) : source_(&source) {}

    // Starts an interval; a failed read changes nothing.
    void Initialise64();
    // The load in percent since the interval began, and starts the next one. 0 when the times
    // cannot be read; -1 when the counters disagree slightly (idle above the total).
    std::int32_t Query64();

private:
    SystemTimesSource* source_;
    SystemTimes previous_;
    SystemTimes current_;
};

} // namespace dorvex

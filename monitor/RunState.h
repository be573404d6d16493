#pragma once

#include <cstdint>
#include <string>

namespace dorvex {

// The run state shared by monitoring, the countdown and the windows. Counters are 16-bit seconds.
struct RunState {
    // The values RunMode takes, in the order a run goes through them.
    static constexpr std::int16_t StartUpDelay = 0, Monitoring = 1, Countdown = 2;

    std::int16_t RunMode = StartUpDelay;
    std::int16_t PhaseSeconds = 0;
    std::int16_t CPUIdleTime = 0;
    std::int16_t CPUIdleLimit = 0;
    std::int16_t CPUIdleCount = 0;
    std::int16_t KMIdleTime = 0;
    std::int16_t KMIdleLimit = 0;
    std::int16_t KMIdleCount = 0;
    std::int16_t CPUQuiet = 1;
    std::int16_t KMQuiet = 1;
    std::int16_t CPULevel = 0;
    std::int16_t CountdownSecs = 0;
    float StopTimeSecs = 0;
    std::string ShutTypeText;
    std::string StartText;
    bool TestMode = false;
    bool AboutOpen = false;
    std::int16_t AboutCloseSecs = 0;
};

} // namespace dorvex

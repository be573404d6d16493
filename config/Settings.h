#pragma once

namespace dorvex {

// The five settings of the configuration file, single-precision as they are stored.
struct Settings {
    // The values of the three switches: CPUOn watches the processor load, KMOn keyboard and mouse,
    // StopOn shuts down at StopTime.
    static constexpr float Off = 1, On = 2;
    // The values of ShutType.
    static constexpr float PowerOff = 1, Hibernate = 5;

    float CPUOn = 0;
    float KMOn = 0;
    float StopOn = 0;
    float StopTime = 0; // 10000 + hours * 100 + minutes
    float ShutType = 0;
};

} // namespace dorvex

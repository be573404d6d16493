#pragma once

namespace dorvex {

// The five settings of the configuration file, single-precision as they are stored.
struct Settings {
    float CPUOn = 0;    // 1 = processor load not watched, 2 = watched
    float KMOn = 0;     // 1 = keyboard and mouse not watched, 2 = watched
    float StopOn = 0;   // 1 = no fixed time, 2 = shut down at StopTime
    float StopTime = 0; // 10000 + hours * 100 + minutes
    float ShutType = 0; // 1 = power off, 5 = hibernate
};

} // namespace dorvex

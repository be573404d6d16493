#pragma once

#include <cstdint>

namespace dorvex {

// Processor times of the whole machine, all processors together, in units of 100 ns.
struct SystemTimes {
    std::int64_t idle = 0;
    std::int64_t kernel = 0; // includes idle
    std::int64_t user = 0;
};

class SystemTimesSource {
public:
    virtual ~SystemTimesSource() = default;
    // False when the times cannot be read; `times` is then unchanged.
    virtual bool read(SystemTimes& times) = 0;
};

} // namespace dorvex

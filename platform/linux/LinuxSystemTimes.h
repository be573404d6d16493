#pragma once

#include "platform/SystemTimes.h"
#include "platform/linux/KeptOpenFile.h"

#include <cstdint>
#include <string>

namespace dorvex {

// Processor times of the whole machine from the first line of /proc/stat.
class LinuxSystemTimes : public SystemTimesSource {
public:
    explicit LinuxSystemTimes(std::string statFile = "/proc/stat");

    bool read(SystemTimes& times) override;

private:
    struct Ticks {
        std::uint64_t idle = 0;
        std::uint64_t busyKernel = 0;
        std::uint64_t user = 0;
    };
    bool readTicks(Ticks& ticks);

    KeptOpenFile statFile_;
    std::int64_t ticksPerSecond_;
    Ticks reported_; // the highest counts reported so far
};

} // namespace dorvex

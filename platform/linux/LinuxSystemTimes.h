#pragma once

#include "platform/SystemTimes.h"

#include <cstdint>
#include <string>

namespace dorvex {

// Processor times of the whole machine from the first line of /proc/stat. The file stays open and
// is read again from its start: the kernel writes it anew for each read, and opening it every
// second would cost as much as the read itself.
class LinuxSystemTimes : public SystemTimesSource {
public:
    explicit LinuxSystemTimes(std::string statFile = "/proc/stat");
    ~LinuxSystemTimes() override;
    LinuxSystemTimes(const LinuxSystemTimes&) = delete;
    LinuxSystemTimes& operator=(const LinuxSystemTimes&) = delete;

    bool read(SystemTimes& times) override;

private:
    struct Ticks {
        std::uint64_t idle = 0;
        std::uint64_t busyKernel = 0;
        std::uint64_t user = 0;
    };
    bool readTicks(Ticks& ticks);
    void close();

    std::string statFile_;
    int file_ = -1; // opened at the first read, again after a failed one
    std::int64_t ticksPerSecond_;
    Ticks reported_; // the highest counts reported so far
};

} // namespace dorvex

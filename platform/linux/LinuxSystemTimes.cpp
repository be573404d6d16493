#include "platform/linux/LinuxSystemTimes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <unistd.h>

namespace dorvex {

namespace {

// The fields of the "cpu" line, in the kernel's order.
enum Field { User, Nice, System, Idle, IoWait, Irq, SoftIrq, Steal, FieldCount };

// The first line is well inside this; the kernel writes the whole file in one go anyway.
constexpr std::size_t readSize = 1024;

bool parseCpuLine(std::string_view text, std::array<std::uint64_t, FieldCount>& fields) {
    const std::string_view label = "cpu ";
    if (!text.starts_with(label)) {
        return false;
    }
    const char* next = text.data() + label.size();
    const char* end = text.data() + text.size();
    for (std::uint64_t& field : fields) {
        while (next != end && *next == ' ') {
            ++next;
        }
        const auto [stop, error] = std::from_chars(next, end, field);
        if (error != std::errc{}) {
            return false;
        }
        next = stop;
    }
    return true;
}

// Ticks to units of 100 ns without overflowing 64 bits for any real count.
std::int64_t toHundredNanoseconds(std::uint64_t ticks, std::int64_t ticksPerSecond) {
    constexpr std::uint64_t unitsPerSecond = 10'000'000;
    const auto perSecond = static_cast<std::uint64_t>(ticksPerSecond);
    return static_cast<std::int64_t>(ticks / perSecond * unitsPerSecond +
                                     ticks % perSecond * unitsPerSecond / perSecond);
}

} // namespace

LinuxSystemTimes::LinuxSystemTimes(std::string statFile)
    : statFile_(std::move(statFile)), ticksPerSecond_(::sysconf(_SC_CLK_TCK)) {}

bool LinuxSystemTimes::readTicks(Ticks& ticks) {
    std::array<char, readSize> buffer;
    std::array<std::uint64_t, FieldCount> fields{};
    if (!parseCpuLine(statFile_.read(buffer), fields)) {
        statFile_.close();
        return false;
    }
    // Guest time is already counted in user and nice.
    ticks.idle = fields[Idle] + fields[IoWait];
    ticks.busyKernel = fields[System] + fields[Irq] + fields[SoftIrq] + fields[Steal];
    ticks.user = fields[User] + fields[Nice];
    return true;
}

bool LinuxSystemTimes::read(SystemTimes& times) {
    Ticks now;
    if (ticksPerSecond_ <= 0 || !readTicks(now)) {
        return false;
    }
    // Iowait can go backwards; holding every count at its highest keeps each interval positive
    // and the kernel time's growth at least the idle time's.
    reported_.idle = std::max(reported_.idle, now.idle);
    reported_.busyKernel = std::max(reported_.busyKernel, now.busyKernel);
    reported_.user = std::max(reported_.user, now.user);
    times.idle = toHundredNanoseconds(reported_.idle, ticksPerSecond_);
    times.kernel = toHundredNanoseconds(reported_.busyKernel + reported_.idle, ticksPerSecond_);
    times.user = toHundredNanoseconds(reported_.user, ticksPerSecond_);
    return true;
}

} // namespace dorvex

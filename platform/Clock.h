#pragma once

#include <cstdint>
#include <string>

namespace dorvex {

// A local calendar date and time of day, to the second.
struct LocalDateTime {
    int year = 2000;
    int month = 1; // 1-12
    int day = 1;   // 1-31
    int hour = 0;  // 0-23
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Wall-clock time, a millisecond tick count, and the user's month names.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    // Milliseconds since an arbitrary start; wraps around after 2^32 ms.
    virtual std::uint32_t tickCount() const = 0;
    // The month's abbreviated name in the user's language ("Jan" in English), month 1-12.
    virtual std::string abbreviatedMonthName(int month) const = 0;
};

} // namespace dorvex

#pragma once

#include "platform/Clock.h"

#include <array>
#include <cstdint>
#include <string>

namespace dorvex {

// A clock that moves only when the test moves it.
class FakeClock : public Clock {
public:
    explicit FakeClock(LocalDateTime start = {2026, 12, 7, 10, 0, 0});

    LocalDateTime now() const override;
    std::uint32_t tickCount() const override { return tickCount_; }
    std::string abbreviatedMonthName(int month) const override;

    // Moves wall clock, tick count and elapsed time forward together.
    void advance(std::int64_t milliseconds);
    // Sets the wall clock alone, as a user changing the time would.
    void setNow(const LocalDateTime& moment);
    void setTickCount(std::uint32_t ticks) { tickCount_ = ticks; }
    void setMonthNames(const std::array<std::string, 12>& names) { monthNames_ = names; }
    // Milliseconds the clock has been advanced since it was made; never jumps.
    std::int64_t elapsed() const { return elapsed_; }

private:
    std::int64_t wallMilliseconds_;
    std::int64_t elapsed_ = 0;
    std::uint32_t tickCount_ = 5'000'000;
    std::array<std::string, 12> monthNames_{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
};

} // namespace dorvex

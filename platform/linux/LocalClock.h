#pragma once

#include "platform/Clock.h"

#include <locale.h>

namespace dorvex {

// The system's local time, a monotonic millisecond count, and month names in the user's
// language (LC_TIME).
class LocalClock : public Clock {
public:
    LocalClock();
    ~LocalClock() override;
    LocalClock(const LocalClock&) = delete;
    LocalClock& operator=(const LocalClock&) = delete;

    LocalDateTime now() const override;
    std::uint32_t tickCount() const override;
    std::string abbreviatedMonthName(int month) const override;

private:
    locale_t locale_;
};

} // namespace dorvex

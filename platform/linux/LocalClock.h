#pragma once

#include "platform/Clock.h"

#include <ctime>
#include <locale.h>
#include <optional>
#include <string>

namespace dorvex {

// The system's local time, a monotonic millisecond count, and month names in the user's
// language (LC_TIME). Not for use from more than one thread.
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
    bool convertedStillHolds(std::time_t seconds, const char* zone) const;

    locale_t locale_;
    // The last conversion to local time, and the time zone variable it was made under.
    mutable std::optional<LocalDateTime> converted_;
    mutable std::time_t convertedAt_ = 0;
    mutable std::optional<std::string> convertedZone_;
};

} // namespace dorvex

#include "platform/linux/LocalClock.h"

#include <langinfo.h>

#include <cstdlib>
#include <ctime>

namespace dorvex {

LocalClock::LocalClock() : locale_(newlocale(LC_TIME_MASK, "", nullptr)) {
    // A language the system does not have falls back to English names.
    if (locale_ == nullptr) {
        locale_ = newlocale(LC_TIME_MASK, "C", nullptr);
    }
}

LocalClock::~LocalClock() {
    freelocale(locale_);
}

// Offsets from UTC, and their changes, fall on whole minutes: within the local minute of the last
// conversion only the seconds move on, unless the clock was set or TZ changed.
bool LocalClock::convertedStillHolds(std::time_t seconds, const char* zone) const {
    const bool sameZone = zone == nullptr ? !convertedZone_ : convertedZone_ == zone;
    return converted_ && sameZone && seconds >= convertedAt_ &&
           seconds - convertedAt_ < 60 - converted_->second;
}

LocalDateTime LocalClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    const char* zone = std::getenv("TZ");
    if (!convertedStillHolds(seconds, zone)) {
        // Unlike localtime_r alone, tzset takes in a changed /etc/localtime: within a minute.
        tzset();
        std::tm local{};
        localtime_r(&seconds, &local);
        converted_ = LocalDateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                   local.tm_hour,        local.tm_min,     local.tm_sec};
        convertedAt_ = seconds;
        convertedZone_ = zone != nullptr ? std::optional<std::string>(zone) : std::nullopt;
    }
    LocalDateTime local = *converted_;
    local.second += static_cast<int>(seconds - convertedAt_);
    return local;
}

// Not the wall clock: a user setting the time must not disturb a measured duration.
std::uint32_t LocalClock::tickCount() const {
    timespec monotonic{};
    clock_gettime(CLOCK_MONOTONIC, &monotonic);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(monotonic.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(monotonic.tv_nsec) / 1'000'000u);
}

std::string LocalClock::abbreviatedMonthName(int month) const {
    return nl_langinfo_l(static_cast<nl_item>(ABMON_1 + month - 1), locale_);
}

} // namespace dorvex

#include "platform/fake/FakeClock.h"

#include "platform/CivilTime.h"

namespace dorvex {

FakeClock::FakeClock(LocalDateTime start) : wallMilliseconds_(toSerialSeconds(start) * 1000) {}

LocalDateTime FakeClock::now() const {
    return fromSerialSeconds(wallMilliseconds_ >= 0 ? wallMilliseconds_ / 1000
                                                    : (wallMilliseconds_ - 999) / 1000);
}

std::string FakeClock::abbreviatedMonthName(int month) const {
    return monthNames_.at(static_cast<std::size_t>(month - 1));
}

void FakeClock::advance(std::int64_t milliseconds) {
    wallMilliseconds_ += milliseconds;
    elapsed_ += milliseconds;
    tickCount_ += static_cast<std::uint32_t>(milliseconds);
}

void FakeClock::setNow(const LocalDateTime& moment) {
    wallMilliseconds_ = toSerialSeconds(moment) * 1000;
}

} // namespace dorvex

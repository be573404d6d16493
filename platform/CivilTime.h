#pragma once

#include "platform/Clock.h"

#include <cstdint>

namespace dorvex {

// Seconds since 1 January 1970 for a local date and time, and back; proleptic Gregorian calendar,
// no time zones. Lets the program add seconds to a date and compare two dates.
inline std::int64_t toSerialSeconds(const LocalDateTime& t) {
    const int y = t.year - (t.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = static_cast<int>(y - era * 400);
    const int monthIndex = t.month > 2 ? t.month - 3 : t.month + 9;
    const int dayOfYear = (153 * monthIndex + 2) / 5 + t.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const std::int64_t days = era * 146097 + dayOfEra - 719468;
    return days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

inline LocalDateTime fromSerialSeconds(std::int64_t serial) {
    std::int64_t days = serial >= 0 ? serial / 86400 : (serial - 86399) / 86400;
    const std::int64_t secondOfDay = serial - days * 86400;
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int dayOfEra = static_cast<int>(days - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthIndex = (5 * dayOfYear + 2) / 153;
    LocalDateTime t;
    t.day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    t.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(secondOfDay / 3600);
    t.minute = static_cast<int>(secondOfDay / 60 % 60);
    t.second = static_cast<int>(secondOfDay % 60);
    return t;
}

} // namespace dorvex

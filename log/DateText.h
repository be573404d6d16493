#pragma once

#include "platform/Clock.h"

#include <string>

namespace dorvex {

// The last two decimal digits of a non-negative number, with a leading zero.
std::string twoDigits(int value);
// "hh:mm:ss", 24-hour time.
std::string timeText(const LocalDateTime& moment);
// "dd-mmm-yy" with the month's abbreviated name in the user's language.
std::string dateText(const LocalDateTime& moment, const Clock& clock);
// "dd-mmm-yy hh:mm:ss".
std::string dateTimeText(const LocalDateTime& moment, const Clock& clock);

} // namespace dorvex

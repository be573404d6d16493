#pragma once

#include <string>

namespace dorvex {

// The general decimal text of a single-precision value: up to seven significant digits, no
// leading blank, no decimal point for whole numbers, and an exponent ("1E+07") for very large
// or very small values.
std::string singleText(float value);

// The four digits hhmm of a fixed time stored as 1hhmm (10705 gives "0705").
std::string stopTimeDigits(float stopTime);

} // namespace dorvex

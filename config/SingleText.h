#pragma once

#include <string>

namespace dorvex {

// The general decimal text of a single-precision value: up to seven significant digits, no
// leading blank, no decimal point for whole numbers, and an exponent ("1E+07") for very large
// or very small values.
std::string singleText(float value);

} // namespace dorvex

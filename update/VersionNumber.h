#pragma once

#include <string_view>

namespace dorvex {

// The decimal number a version text starts with: blanks, tabs and line breaks are skipped
// wherever they stand, then digits with at most one decimal point; any other character (a second
// point too) ends it. No digits read as 0. So "5.5.0.0" is 5.5 and "5.10" is 5.1.
double leadingDecimalNumber(std::string_view text);

} // namespace dorvex

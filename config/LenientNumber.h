#pragma once

#include <optional>
#include <string_view>

namespace dorvex {

// Reads the number at the start of a text the lenient way configuration values are read.
//
// Grammar, read from the left; reading stops at the first character that cannot continue it:
//   blanks*  [sign]  mantissa  [exponent]
//   blank     = space or tab; blanks are skipped wherever they stand, also inside the number
//   sign      = "+" or "-"
//   mantissa  = digits, with at most one decimal point "." anywhere among them
//   exponent  = "E", "e", "D" or "d", then an optional sign and at least one digit; a letter
//               without digits after it ends the number before the letter
// There is no hexadecimal or octal prefix: "0x10" reads as 0 and "&H10" as 0. A text without a
// leading number reads as 0. Returns nothing when the number is too large for a double.
std::optional<double> lenientNumber(std::string_view text);

} // namespace dorvex

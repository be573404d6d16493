#include "update/VersionNumber.h"

#include <charconv>
#include <string>

namespace dorvex {

double leadingDecimalNumber(std::string_view text) {
    std::string number;
    bool point = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            continue;
        }
        if (c == '.' && !point) {
            point = true;
        } else if (c < '0' || c > '9') {
            break;
        }
        number += c;
    }
    double value = 0;
    // A lone point, or digits too many for a double, leave 0.
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

} // namespace dorvex

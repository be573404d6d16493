#pragma once

#include <string_view>

namespace dorvex {

// The text without leading and trailing spaces; tabs and line breaks stay.
inline std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace dorvex

#pragma once

#include <algorithm>
#include <string_view>

namespace dorvex {

// Letter case as file names and protocol words have it: A-Z only, whatever the locale.
inline char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

} // namespace dorvex

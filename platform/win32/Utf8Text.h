#pragma once

#include <string>
#include <string_view>

namespace dorvex {

// Windows' UTF-16 text as the UTF-8 the core's texts are in.
std::string utf8(std::wstring_view text);

// The core's UTF-8 text as Windows' UTF-16; a malformed sequence becomes U+FFFD.
std::wstring utf16(std::string_view text);

} // namespace dorvex

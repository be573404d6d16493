#pragma once

#include <string>
#include <string_view>

namespace dorvex {

// Windows' UTF-16 text as the UTF-8 the core's texts are in.
std::string utf8(std::wstring_view text);

} // namespace dorvex

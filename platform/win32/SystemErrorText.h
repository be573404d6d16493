#pragma once

#include <cstdint>
#include <string>

namespace dorvex {

// The system's text for an error number in the default language, with its closing line break;
// empty when the system has none. `module` names a library whose own texts are asked for too
// (WinHTTP's, for example).
std::string systemErrorText(std::uint32_t number, const char* module = nullptr);

} // namespace dorvex

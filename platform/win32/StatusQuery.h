#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace dorvex {

// Asks the instances running in this session for their status report, each for at most the
// time given, and gives the first answer; none when no instance answers.
std::optional<std::string> askRunningInstance(HINSTANCE instance, UINT timeoutMilliseconds);

} // namespace dorvex

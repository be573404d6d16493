#pragma once

#include <cstdint>
#include <string_view>

namespace dorvex {

// The code of the test switch at the start of the argument text, 0 when there is none.
std::int16_t readSwitchCode(std::string_view argumentText);

// True when the argument text ends in "-AllowMulti", letter case included.
bool allowsMultipleInstances(std::string_view argumentText);

// True when one argument is exactly one of the test switches or "-AllowMulti".
bool isKnownSwitch(std::string_view argument);

} // namespace dorvex

#include "app/SwitchCode.h"

#include <algorithm>
#include <array>
#include <utility>

namespace dorvex {

namespace {

constexpr std::string_view allowMulti = "-AllowMulti";

constexpr std::array<std::pair<std::string_view, std::int16_t>, 8> switches{{
    {"-InhibitShutdown", 1},
    {"-StartShutdown", 2},
    {"-InhibitAdmin", 4},
    {"-ShortUpdateTime", 5},
    {"-InhibitUpdate", 6},
    {"-LowerVersion", 7},
    {"-HigherVersion", 8},
    {"-IncreaseCPULevel", 9},
}};

} // namespace

std::int16_t readSwitchCode(std::string_view argumentText) {
    // Each switch is compared over its own length, so text after it does not matter.
    std::int16_t code = 0;
    for (const auto& [text, value] : switches) {
        if (argumentText.starts_with(text)) {
            code = value;
        }
    }
    return code;
}

bool allowsMultipleInstances(std::string_view argumentText) {
    return argumentText.ends_with(allowMulti);
}

bool isKnownSwitch(std::string_view argument) {
    return argument == allowMulti ||
           std::ranges::find(switches, argument,
                             &std::pair<std::string_view, std::int16_t>::first) != switches.end();
}

} // namespace dorvex

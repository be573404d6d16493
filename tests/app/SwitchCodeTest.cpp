#include "app/SwitchCode.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace dorvex {
namespace {

TEST(CommandLine, GivesTheSwitchAndTheMultipleInstanceFlag) {
    const std::tuple<std::string, std::int16_t, bool> cases[] = {
        {"", 0, false},
        {"-InhibitShutdown", 1, false},
        {"-StartShutdown", 2, false},
        {"-InhibitAdmin", 4, false},
        {"-ShortUpdateTime", 5, false},
        {"-InhibitUpdate", 6, false},
        {"-InhibitUpdateAndMore", 6, false},
        {"-LowerVersion", 7, false},
        {"-HigherVersion", 8, false},
        {"-IncreaseCPULevel", 9, false},
        {"-inhibitshutdown", 0, false},
        {" -InhibitShutdown", 0, false},
        {"-Inhibit", 0, false},
        {"-AllowMulti", 0, true},
        {"-allowmulti", 0, false},
        {"-AllowMulti ", 0, false},
        {"-StartShutdown -AllowMulti", 2, true},
        {"-AllowMulti -StartShutdown", 0, false}};
    for (const auto& [arguments, switchCode, allowMulti] : cases) {
        EXPECT_EQ(readSwitchCode(arguments), switchCode) << arguments;
        EXPECT_EQ(allowsMultipleInstances(arguments), allowMulti) << arguments;
    }
}

} // namespace
} // namespace dorvex

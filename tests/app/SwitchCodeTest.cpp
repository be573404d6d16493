#include "app/SwitchCode.h"

#include <gtest/gtest.h>

#include <string>

namespace dorvex {
namespace {

struct ArgumentCase {
    std::string arguments;
    std::int16_t switchCode;
    bool allowMulti;
};

class CommandLine : public testing::TestWithParam<ArgumentCase> {};

TEST_P(CommandLine, GivesTheSwitchAndTheMultipleInstanceFlag) {
    EXPECT_EQ(readSwitchCode(GetParam().arguments), GetParam().switchCode);
    EXPECT_EQ(allowsMultipleInstances(GetParam().arguments), GetParam().allowMulti);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLine,
    testing::Values(
        ArgumentCase{"", 0, false}, ArgumentCase{"-InhibitShutdown", 1, false},
        ArgumentCase{"-StartShutdown", 2, false}, ArgumentCase{"-InhibitAdmin", 4, false},
        ArgumentCase{"-ShortUpdateTime", 5, false}, ArgumentCase{"-InhibitUpdate", 6, false},
        ArgumentCase{"-InhibitUpdateAndMore", 6, false}, ArgumentCase{"-LowerVersion", 7, false},
        ArgumentCase{"-HigherVersion", 8, false}, ArgumentCase{"-IncreaseCPULevel", 9, false},
        ArgumentCase{"-inhibitshutdown", 0, false}, ArgumentCase{" -InhibitShutdown", 0, false},
        ArgumentCase{"-Inhibit", 0, false}, ArgumentCase{"-AllowMulti", 0, true},
        ArgumentCase{"-allowmulti", 0, false}, ArgumentCase{"-AllowMulti ", 0, false},
        ArgumentCase{"-StartShutdown -AllowMulti", 2, true},
        ArgumentCase{"-AllowMulti -StartShutdown", 0, false}));

} // namespace
} // namespace dorvex

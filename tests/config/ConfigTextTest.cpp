#include "config/ConfigText.h"
#include "config/ConfigParser.h"
#include "platform/fake/FakeClock.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <array>

namespace dorvex::test {
namespace {

TEST(ConfigText, WritesTwelveLinesWithTheMomentOfWritingInTheUsersLanguage) {
    FakeClock clock;
    EXPECT_EQ(configFileText({2, 1, 2, 12200, 5}, {2026, 3, 4, 21, 5, 9}, clock),
              "# Dorvex Zede Version 5.5\r\n# Configuration File\r\n# 04-Mar-26 21:05:09\r\n\r\n"
              "[Run]\r\nCPUOn=2\r\nKMOn=1\r\nStopOn=2\r\nStopTime=12200\r\n\r\n"
              "[Shutdown]\r\nShutType=5\r\n");
    clock.setMonthNames({"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.",
                         "oct.", "nov.", "déc."});
    const std::string text = configFileText({2, 2, 1, 12300, 1}, {2026, 12, 24, 8, 0, 0}, clock);
    EXPECT_EQ(crLfLines(text).at(2), "# 24-déc.-26 08:00:00");
}

TEST(ConfigText, WhatTheWriterWritesTheReaderAccepts) {
    const FakeClock clock;
    const auto fields = [](const Settings& s) {
        return std::array{s.CPUOn, s.KMOn, s.StopOn, s.StopTime, s.ShutType};
    };
    for (const Settings& written : {Settings{2, 2, 1, 12300, 1}, Settings{1, 2, 2, 10000, 5},
                                    Settings{2, 1, 2, 12359, 1}, Settings{1, 1, 2, 10705, 5}}) {
        const auto result = parseConfig(crLfLines(configFileText(written, clock.now(), clock)), 1);
        ASSERT_FALSE(result.problem) << result.problem->title << "\n" << result.problem->text;
        EXPECT_EQ(fields(result.settings), fields(written));
    }
}

} // namespace
} // namespace dorvex::test

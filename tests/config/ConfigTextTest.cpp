#include "config/ConfigText.h"
#include "config/ConfigParser.h"
#include "config/LenientNumber.h"
#include "platform/fake/FakeClock.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <array>

namespace dorvex::test {
namespace {

TEST(ConfigText, WritesTwelveLinesWithTheMomentOfWritingInTheUsersLanguage) {
    FakeClock clock;
    EXPECT_EQ(
        configFileText({Settings::On, Settings::Off, Settings::On, 12200, Settings::Hibernate},
                       {2026, 3, 4, 21, 5, 9}, clock),
        "# Dorvex Zede Version 5.5\r\n# Configuration File\r\n# 04-Mar-26 21:05:09\r\n\r\n"
        "[Run]\r\nCPUOn=2\r\nKMOn=1\r\nStopOn=2\r\nStopTime=12200\r\n\r\n"
        "[Shutdown]\r\nShutType=5\r\n");
    clock.setMonthNames({"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.",
                         "oct.", "nov.", "déc."});
    const std::string text =
        configFileText({Settings::On, Settings::On, Settings::Off, 12300, Settings::PowerOff},
                       {2026, 12, 24, 8, 0, 0}, clock);
    EXPECT_EQ(crLfLines(text).at(2), "# 24-déc.-26 08:00:00");
}

TEST(ConfigText, WhatTheWriterWritesTheReaderAccepts) {
    const FakeClock clock;
    const auto fields = [](const Settings& s) {
        return std::array{s.CPUOn, s.KMOn, s.StopOn, s.StopTime, s.ShutType};
    };
    for (const Settings& written :
         {Settings{Settings::On, Settings::On, Settings::Off, 12300, Settings::PowerOff},
          Settings{Settings::Off, Settings::On, Settings::On, 10000, Settings::Hibernate},
          Settings{Settings::On, Settings::Off, Settings::On, 12359, Settings::PowerOff},
          Settings{Settings::Off, Settings::Off, Settings::On, 10705, Settings::Hibernate}}) {
        const auto result = parseConfig(crLfLines(configFileText(written, clock.now(), clock)), 1);
        ASSERT_FALSE(result.problem) << result.problem->title << "\n" << result.problem->text;
        EXPECT_EQ(fields(result.settings), fields(written));
    }
}

TEST(LenientNumber, ReadsTheLeadingNumber) {
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"", 0.0},       {"   2", 2.0},   {"\t7", 7.0},    {"1 2 . 5", 12.5}, {"- 3", -3.0},
        {"+4", 4.0},     {".5", 0.5},     {"1.2.3", 1.2},  {"12abc", 12.0},   {"-", 0.0},
        {"1E+2", 100.0}, {"25e-1", 2.5},  {"1D 2", 100.0}, {"2e+", 2.0},      {"e5", 0.0},
        {"&H10", 0.0},   {"1e-400", 0.0}, {"1e400", {}},   {"\3775", 0.0}}; // a byte above 127,
                                                                            // then a digit
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(lenientNumber(text), value) << "text: " << text;
    }
    EXPECT_EQ(lenientNumber(std::string{'2', '\0', '5'}), 2.0);
}

} // namespace
} // namespace dorvex::test

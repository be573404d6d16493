#include "config/ConfigText.h"
#include "config/ConfigParser.h"
#include "platform/fake/FakeClock.h"

#include <gtest/gtest.h>

#include <sstream>

namespace dorvex {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the text must end with CR LF";
    return lines;
}

TEST(ConfigText, WritesTwelveLinesWithTheMomentOfWriting) {
    const FakeClock clock;
    const Settings settings{2, 1, 2, 12200, 5};
    EXPECT_EQ(configFileText(settings, {2026, 3, 4, 21, 5, 9}, clock),
              "# Dorvex Zede Version 5.5\r\n"
              "# Configuration File\r\n"
              "# 04-Mar-26 21:05:09\r\n"
              "\r\n"
              "[Run]\r\n"
              "CPUOn=2\r\n"
              "KMOn=1\r\n"
              "StopOn=2\r\n"
              "StopTime=12200\r\n"
              "\r\n"
              "[Shutdown]\r\n"
              "ShutType=5\r\n");
}

TEST(ConfigText, NamesTheMonthInTheUsersLanguage) {
    FakeClock clock;
    clock.setMonthNames({"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.",
                         "oct.", "nov.", "déc."});
    const std::string text = configFileText({2, 2, 1, 12300, 1}, {2026, 12, 24, 8, 0, 0}, clock);
    EXPECT_EQ(splitLines(text).at(2), "# 24-déc.-26 08:00:00");
}

class ConfigRoundTrip : public testing::TestWithParam<Settings> {};

TEST_P(ConfigRoundTrip, WhatTheWriterWritesTheReaderAccepts) {
    const FakeClock clock;
    const Settings written = GetParam();
    const auto result = parseConfig(splitLines(configFileText(written, clock.now(), clock)), 1);
    ASSERT_FALSE(result.problem) << result.problem->title << "\n" << result.problem->text;
    EXPECT_EQ(result.settings.CPUOn, written.CPUOn);
    EXPECT_EQ(result.settings.KMOn, written.KMOn);
    EXPECT_EQ(result.settings.StopOn, written.StopOn);
    EXPECT_EQ(result.settings.StopTime, written.StopTime);
    EXPECT_EQ(result.settings.ShutType, written.ShutType);
}

INSTANTIATE_TEST_SUITE_P(ValidSettings, ConfigRoundTrip,
                         testing::Values(Settings{2, 2, 1, 12300, 1}, Settings{1, 2, 2, 10000, 5},
                                         Settings{2, 1, 2, 12359, 1}, Settings{1, 1, 2, 10705, 5}));

} // namespace
} // namespace dorvex

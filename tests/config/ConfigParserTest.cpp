#include "config/ConfigParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvex {
namespace {

using Lines = std::vector<std::string>;

const std::string corruptedText = "The configuration file is corrupted.\r\n"
                                  "Reinstall the program to restore the file.\r\n"
                                  "The program will now terminate.";

Lines configLines(const std::string& cpuOn, const std::string& kmOn, const std::string& stopOn,
                  const std::string& stopTime, const std::string& shutType) {
    return {"# Dorvex Zede Version 5.5",
            "# Configuration File",
            "# 01-Dec-26 09:00:00",
            "",
            "[Run]",
            "CPUOn=" + cpuOn,
            "KMOn=" + kmOn,
            "StopOn=" + stopOn,
            "StopTime=" + stopTime,
            "",
            "[Shutdown]",
            "ShutType=" + shutType};
}

// A case: the file's lines, the switch code, and what the user is told ("" title: accepted).
struct ProblemCase {
    std::string name;
    Lines lines;
    std::int16_t switchCode;
    std::string title;
    std::string details; // the lines before the fixed text of the corrupted-file message
};

class ConfigProblems : public testing::TestWithParam<ProblemCase> {};

TEST_P(ConfigProblems, TellTheUser) {
    const ProblemCase& c = GetParam();
    const auto result = parseConfig(c.lines, c.switchCode);
    if (c.title.empty()) {
        EXPECT_FALSE(result.problem) << result.problem->title;
        return;
    }
    ASSERT_TRUE(result.problem);
    EXPECT_EQ(result.problem->title, c.title);
    if (c.title.ends_with("Read Error")) {
        EXPECT_EQ(result.problem->icon, MessageIcon::Exclamation);
        EXPECT_EQ(result.problem->text, "Unable to read the configuration file.\r\n"
                                        "This may be a permissions problem.\r\n"
                                        "The program will now terminate.");
    } else {
        EXPECT_EQ(result.problem->icon, MessageIcon::Stop);
        EXPECT_EQ(result.problem->text, c.details + corruptedText);
    }
}

const std::string ok;
const std::string corrupted = "Dorvex Zede Configuration File Error";
const std::string readError = "Dorvex Zede Configuration File Read Error";
const std::string oneRange = "Dorvex Zede Config File - 1 Range Errors";

// The shipped file with the fixed time switched and set as given.
Lines fixedTime(const std::string& stopOn, const std::string& stopTime) {
    return configLines("2", "2", stopOn, stopTime, "1");
}

Lines with(Lines lines, const std::string& extra) {
    lines.push_back(extra);
    return lines;
}

Lines without(Lines lines, const std::string& gone) {
    std::erase(lines, gone);
    return lines;
}

const Lines shipped = fixedTime("1", "12300");

INSTANTIATE_TEST_SUITE_P(
    Rules, ConfigProblems,
    testing::ValuesIn(std::vector<ProblemCase>{
        {"EmptyFile", {}, 0, corrupted, ""},
        {"EmptyFileWithSwitch", {}, 1, "Dorvex Zede Config File - 2 Sec & 5 Key Errors", ""},
        {"OnlyComments",
         {"# one", "#two"},
         2,
         "Dorvex Zede Config File - 2 Sec & 5 Key Errors",
         ""},
        {"LongCommentIsFine", with(shipped, "#" + std::string(200, 'x')), 0, ok, ""},
        {"BlankBeforeHashMakesAnOrdinaryLine", with(shipped, " #" + std::string(15, 'x')), 0,
         readError, ""},
        {"TrailingBlanksWithinSixteen",
         configLines("2" + std::string(9, ' '), "2", "1", "12300", "1"), 0, ok, ""},
        {"PaddedToSeventeen", configLines("2" + std::string(10, ' '), "2", "1", "12300", "1"), 0,
         readError, ""},
        {"LeadingBlanksAreStripped", with(without(shipped, "CPUOn=2"), "   CPUOn=2"), 0, ok, ""},
        {"SectionsWithBlanks",
         with(with(without(without(shipped, "[Run]"), "[Shutdown]"), "  [Run]  "), " [Shutdown]"),
         0, ok, ""},
        {"KeysBeforeTheSection",
         {"ShutType=1", "CPUOn=2", "KMOn=2", "StopOn=1", "StopTime=12300", "[Run]", "[Shutdown]"},
         0,
         ok,
         ""},
        {"MissingShutdownSection", without(shipped, "[Shutdown]"), 1,
         "Dorvex Zede Config File - 1 Sec & 0 Key Errors", ""},
        {"KeyInOtherLetterCase", with(without(shipped, "KMOn=2"), "kmon=2"), 4,
         "Dorvex Zede Config File - 0 Sec & 1 Key Errors", ""},
        {"DuplicateKeyCountsTwice", with(shipped, "CPUOn=2"), 1,
         "Dorvex Zede Config File - 0 Sec & -1 Key Errors", ""},
        {"DuplicateTakesTheLastValue", with(shipped, "CPUOn=7"), 0, corrupted, ""},
        {"MissingAndDuplicateCancelOutButTheMissingValueIsZero",
         with(without(shipped, "KMOn=2"), "CPUOn=2"), 1, oneRange, "\r\nKMOn=0\r\n"},
        {"KeyErrorsReplaceRangeErrors", without(configLines("9", "2", "1", "12300", "1"), "KMOn=2"),
         1, "Dorvex Zede Config File - 0 Sec & 1 Key Errors", ""},
        {"NoSwitchNoDetails", configLines("3", "2", "1", "12300", "1"), 0, corrupted, ""},
        {"RangeErrorsInOrder", configLines("3", "0", "1", "12300", "2"), 6,
         "Dorvex Zede Config File - 3 Range Errors", "\r\nCPUOn=3\r\nKMOn=0\r\nShutType=2\r\n"},
        {"FractionalSwitchValue", configLines("1.5", "2", "1", "12300", "1"), 9, oneRange,
         "\r\nCPUOn=1.5\r\n"},
        {"WholeNumberWithPoint", configLines("2.0", "2", "2", "12300.0", "5"), 0, ok, ""},
        {"StopOnOutOfRange", fixedTime("3", "12300"), 1, oneRange, "\r\nStopOn=3\r\n"},
        {"JustPastMidnightIsTakenAsLastMinute", fixedTime("2", "12400"), 1, ok, ""},
        {"ClampEndsBelow19901", fixedTime("2", "19900"), 1, ok, ""},
        {"NoClampAt19901", fixedTime("2", "19901"), 1, oneRange, "\r\nStopTime = 19901\r\n"},
        {"NoClampWhenFixedTimeIsOff", fixedTime("1", "12400"), 1, oneRange,
         "\r\nStopTime = 12400\r\n"},
        {"MinuteSixty", fixedTime("1", "12360"), 1, oneRange, "\r\nStopTime = 12360\r\n"},
        {"MinuteSixtyBelowTheClamp", fixedTime("2", "10060"), 1, oneRange,
         "\r\nStopTime = 10060\r\n"},
        {"Midnight", fixedTime("2", "10000"), 1, ok, ""},
        {"StopTimeCheckedWhenOff", fixedTime("1", "9000"), 1, oneRange, "\r\nStopTime = 9000\r\n"},
        {"FractionalStopTime", fixedTime("2", "10030.5"), 1, oneRange,
         "\r\nStopTime = 10030.5\r\n"},
        {"NothingWatched", configLines("1", "1", "1", "12300", "1"), 1, oneRange,
         "\r\nAt Least One Of CPUOn, KMOn & StopOn Must Be Set\r\n"},
        {"ShutTypeTwo", configLines("2", "2", "1", "12300", "2"), 1, oneRange,
         "\r\nShutType=2\r\n"},
        {"Hibernate", configLines("2", "2", "1", "12300", "5"), 0, ok, ""},
        {"BlanksInsideTheNumber", fixedTime("2", "12 3 00"), 0, ok, ""},
        {"TooLargeForASingleIsUnreadable", configLines("1E99", "2", "1", "12300", "1"), 1,
         readError, ""},
        {"NulEndsTheNumber",
         configLines(std::string("2\0"
                                 "9",
                                 3),
                     "2", "1", "12300", "1"),
         0, ok, ""},
        {"EightBitBytesAreNoNumber", configLines("\xe9", "2", "1", "12300", "1"), 1, oneRange,
         "\r\nCPUOn=0\r\n"},
        {"CarriageReturnOnlyFileIsOneLongLine",
         {"[Run]\rCPUOn=2\rKMOn=2\rStopOn=1\rStopTime=12300\r[Shutdown]\rShutType=1"},
         0,
         readError,
         ""},
        {"MegabyteLine", with(shipped, std::string(1 << 20, '7')), 0, readError, ""}}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return info.param.name; });

TEST(ConfigParser, ClampsTheFixedTimeJustPastMidnight) {
    const auto result = parseConfig(fixedTime("2", "12400"), 0);
    EXPECT_EQ(result.settings.StopTime, 12359);
}

} // namespace
} // namespace dorvex

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

TEST(ConfigParser, AcceptsTheShippedFile) {
    const auto result = parseConfig(configLines("2", "2", "1", "12300", "1"), 0);
    ASSERT_FALSE(result.problem);
    EXPECT_EQ(result.settings.CPUOn, 2);
    EXPECT_EQ(result.settings.KMOn, 2);
    EXPECT_EQ(result.settings.StopOn, 1);
    EXPECT_EQ(result.settings.StopTime, 12300);
    EXPECT_EQ(result.settings.ShutType, 1);
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

Lines with(Lines lines, const std::string& extra) {
    lines.push_back(extra);
    return lines;
}

Lines without(Lines lines, const std::string& gone) {
    std::erase(lines, gone);
    return lines;
}

const Lines shipped = configLines("2", "2", "1", "12300", "1");

INSTANTIATE_TEST_SUITE_P(
    Rules, ConfigProblems,
    testing::Values(
        ProblemCase{"EmptyFile", {}, 0, corrupted, ""},
        ProblemCase{
            "EmptyFileWithSwitch", {}, 1, "Dorvex Zede Config File - 2 Sec & 5 Key Errors", ""},
        ProblemCase{"OnlyComments",
                    {"# one", "#two"},
                    2,
                    "Dorvex Zede Config File - 2 Sec & 5 Key Errors",
                    ""},
        ProblemCase{"LongCommentIsFine", with(shipped, "#" + std::string(200, 'x')), 0, ok, ""},
        ProblemCase{"BlankBeforeHashMakesAnOrdinaryLine",
                    with(shipped, " #" + std::string(15, 'x')), 0, readError, ""},
        ProblemCase{"TrailingBlanksWithinSixteen",
                    configLines("2" + std::string(9, ' '), "2", "1", "12300", "1"), 0, ok, ""},
        ProblemCase{"PaddedToSeventeen",
                    configLines("2" + std::string(10, ' '), "2", "1", "12300", "1"), 0, readError,
                    ""},
        ProblemCase{"LeadingBlanksAreStripped", with(without(shipped, "CPUOn=2"), "   CPUOn=2"), 0,
                    ok, ""},
        ProblemCase{"SectionsWithBlanks",
                    with(with(without(without(shipped, "[Run]"), "[Shutdown]"), "  [Run]  "),
                         " [Shutdown]"),
                    0, ok, ""},
        ProblemCase{"KeysBeforeTheSection",
                    {"ShutType=1", "CPUOn=2", "KMOn=2", "StopOn=1", "StopTime=12300", "[Run]",
                     "[Shutdown]"},
                    0,
                    ok,
                    ""},
        ProblemCase{"MissingShutdownSection", without(shipped, "[Shutdown]"), 1,
                    "Dorvex Zede Config File - 1 Sec & 0 Key Errors", ""},
        ProblemCase{"KeyInOtherLetterCase", with(without(shipped, "KMOn=2"), "kmon=2"), 4,
                    "Dorvex Zede Config File - 0 Sec & 1 Key Errors", ""},
        ProblemCase{"DuplicateKeyCountsTwice", with(shipped, "CPUOn=2"), 1,
                    "Dorvex Zede Config File - 0 Sec & -1 Key Errors", ""},
        ProblemCase{"DuplicateTakesTheLastValue", with(shipped, "CPUOn=7"), 0, corrupted, ""},
        ProblemCase{"MissingAndDuplicateCancelOutButTheMissingValueIsZero",
                    with(without(shipped, "KMOn=2"), "CPUOn=2"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nKMOn=0\r\n"},
        ProblemCase{"KeyErrorsReplaceRangeErrors",
                    without(configLines("9", "2", "1", "12300", "1"), "KMOn=2"), 1,
                    "Dorvex Zede Config File - 0 Sec & 1 Key Errors", ""},
        ProblemCase{"NoSwitchNoDetails", configLines("3", "2", "1", "12300", "1"), 0, corrupted,
                    ""},
        ProblemCase{"RangeErrorsInOrder", configLines("3", "0", "1", "12300", "2"), 6,
                    "Dorvex Zede Config File - 3 Range Errors",
                    "\r\nCPUOn=3\r\nKMOn=0\r\nShutType=2\r\n"},
        ProblemCase{"FractionalSwitchValue", configLines("1.5", "2", "1", "12300", "1"), 9,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nCPUOn=1.5\r\n"},
        ProblemCase{"WholeNumberWithPoint", configLines("2.0", "2", "2", "12300.0", "5"), 0, ok,
                    ""},
        ProblemCase{"StopOnOutOfRange", configLines("2", "2", "3", "12300", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nStopOn=3\r\n"},
        ProblemCase{"JustPastMidnightIsTakenAsLastMinute", configLines("2", "2", "2", "12400", "1"),
                    1, ok, ""},
        ProblemCase{"ClampEndsBelow19901", configLines("2", "2", "2", "19900", "1"), 1, ok, ""},
        ProblemCase{"NoClampAt19901", configLines("2", "2", "2", "19901", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nStopTime = 19901\r\n"},
        ProblemCase{"NoClampWhenFixedTimeIsOff", configLines("2", "2", "1", "12400", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nStopTime = 12400\r\n"},
        ProblemCase{"MinuteSixty", configLines("2", "2", "1", "12360", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nStopTime = 12360\r\n"},
        ProblemCase{"MinuteSixtyBelowTheClamp", configLines("2", "2", "2", "10060", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nStopTime = 10060\r\n"},
        ProblemCase{"Midnight", configLines("2", "2", "2", "10000", "1"), 1, ok, ""},
        ProblemCase{"StopTimeCheckedWhenOff", configLines("2", "2", "1", "9000", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nStopTime = 9000\r\n"},
        ProblemCase{"FractionalStopTime", configLines("2", "2", "2", "10030.5", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nStopTime = 10030.5\r\n"},
        ProblemCase{"NothingWatched", configLines("1", "1", "1", "12300", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors",
                    "\r\nAt Least One Of CPUOn, KMOn & StopOn Must Be Set\r\n"},
        ProblemCase{"ShutTypeTwo", configLines("2", "2", "1", "12300", "2"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nShutType=2\r\n"},
        ProblemCase{"Hibernate", configLines("2", "2", "1", "12300", "5"), 0, ok, ""},
        ProblemCase{"BlanksInsideTheNumber", configLines("2", "2", "2", "12 3 00", "1"), 0, ok, ""},
        ProblemCase{"TooLargeForASingleIsUnreadable", configLines("1E99", "2", "1", "12300", "1"),
                    1, readError, ""},
        ProblemCase{"NulEndsTheNumber",
                    configLines(std::string("2\0"
                                            "9",
                                            3),
                                "2", "1", "12300", "1"),
                    0, ok, ""},
        ProblemCase{"EightBitBytesAreNoNumber", configLines("\xe9", "2", "1", "12300", "1"), 1,
                    "Dorvex Zede Config File - 1 Range Errors", "\r\nCPUOn=0\r\n"},
        ProblemCase{"CarriageReturnOnlyFileIsOneLongLine",
                    {"[Run]\rCPUOn=2\rKMOn=2\rStopOn=1\rStopTime=12300\r[Shutdown]\rShutType=1"},
                    0,
                    readError,
                    ""},
        ProblemCase{"MegabyteLine", with(shipped, std::string(1 << 20, '7')), 0, readError, ""}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return info.param.name; });

TEST(ConfigParser, ClampsTheFixedTimeJustPastMidnight) {
    const auto result = parseConfig(configLines("2", "2", "2", "12400", "1"), 0);
    EXPECT_EQ(result.settings.StopTime, 12359);
}

} // namespace
} // namespace dorvex

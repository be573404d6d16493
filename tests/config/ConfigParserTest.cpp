#include "config/ConfigParser.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvex {
namespace {

using Lines = std::vector<std::string>;

Lines configLines(const std::string& cpuOn, const std::string& kmOn, const std::string& stopOn,
                  const std::string& stopTime, const std::string& shutType) {
    return test::crLfLines(test::configWith(cpuOn, kmOn, stopOn, stopTime, shutType));
}

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

TEST(ConfigParser, TellsTheUserWhatIsWrong) {
    const std::string ok;
    const std::string corrupted = "Dorvex Zede Configuration File Error";
    const std::string readError = "Dorvex Zede Configuration File Read Error";
    const std::string oneRange = "Dorvex Zede Config File - 1 Range Errors";
    const std::string keys = "Dorvex Zede Config File - ";
    const Lines shipped = fixedTime("1", "12300");
    // The file's lines, the switch code, the title ("": accepted), the lines before the fixed
    // text of the corrupted-file message.
    const struct {
        Lines lines;
        std::int16_t switchCode;
        std::string title, details = "";
    } cases[] = {
        {{}, 0, corrupted},
        {{"# one", "#two"}, 2, keys + "2 Sec & 5 Key Errors"},
        {with(shipped, "#" + std::string(200, 'x')), 0, ok},
        // A blank before the hash makes an ordinary line.
        {with(shipped, " #" + std::string(15, 'x')), 0, readError},
        {configLines("2" + std::string(10, ' '), "2", "1", "12300", "1"), 0, readError},
        {with(without(shipped, "CPUOn=2"), "   CPUOn=2"), 0, ok},
        {with(with(without(without(shipped, "[Run]"), "[Shutdown]"), "  [Run]  "), " [Shutdown]"),
         0, ok},
        {{"ShutType=1", "CPUOn=2", "KMOn=2", "StopOn=1", "StopTime=12300", "[Run]", "[Shutdown]"},
         0,
         ok},
        {without(shipped, "[Shutdown]"), 1, keys + "1 Sec & 0 Key Errors"},
        {with(without(shipped, "KMOn=2"), "kmon=2"), 4, keys + "0 Sec & 1 Key Errors"},
        {with(shipped, "CPUOn=2"), 1, keys + "0 Sec & -1 Key Errors"},
        {with(shipped, "CPUOn=7"), 0, corrupted}, // the last value counts
        // A missing and a duplicate key cancel out, but the missing value is zero.
        {with(without(shipped, "KMOn=2"), "CPUOn=2"), 1, oneRange, "\r\nKMOn=0\r\n"},
        {without(configLines("9", "2", "1", "12300", "1"), "KMOn=2"), 1,
         keys + "0 Sec & 1 Key Errors"},
        {configLines("3", "2", "1", "12300", "1"), 0, corrupted},
        {configLines("3", "0", "1", "12300", "2"), 6, keys + "3 Range Errors",
         "\r\nCPUOn=3\r\nKMOn=0\r\nShutType=2\r\n"},
        {configLines("1.5", "2", "1", "12300", "1"), 9, oneRange, "\r\nCPUOn=1.5\r\n"},
        {configLines("2.0", "2", "2", "12300.0", "5"), 0, ok},
        {fixedTime("3", "12300"), 1, oneRange, "\r\nStopOn=3\r\n"},
        {fixedTime("2", "12400"), 1, ok}, // just past midnight: the last minute
        {fixedTime("2", "19901"), 1, oneRange, "\r\nStopTime = 19901\r\n"},
        {fixedTime("1", "12400"), 1, oneRange, "\r\nStopTime = 12400\r\n"},
        {fixedTime("2", "10060"), 1, oneRange, "\r\nStopTime = 10060\r\n"},
        {fixedTime("2", "10000"), 1, ok},
        {fixedTime("1", "9000"), 1, oneRange, "\r\nStopTime = 9000\r\n"},
        {fixedTime("2", "10030.5"), 1, oneRange, "\r\nStopTime = 10030.5\r\n"},
        {configLines("1", "1", "1", "12300", "1"), 1, oneRange,
         "\r\nAt Least One Of CPUOn, KMOn & StopOn Must Be Set\r\n"},
        {configLines("2", "2", "1", "12300", "2"), 1, oneRange, "\r\nShutType=2\r\n"},
        {configLines("1E99", "2", "1", "12300", "1"), 1, readError}, // too large for a Single
        {configLines(std::string{'2', '\0', '9'}, "2", "1", "12300", "1"), 0, ok},
        {configLines("\xe9", "2", "1", "12300", "1"), 1, oneRange, "\r\nCPUOn=0\r\n"},
        {{"[Run]\rCPUOn=2\rKMOn=2\rStopOn=1\rStopTime=12300\r[Shutdown]\rShutType=1"},
         0,
         readError},
        {with(shipped, std::string(1 << 20, '7')), 0, readError}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.lines).substr(0, 300));
        const auto result = parseConfig(c.lines, c.switchCode);
        if (c.title.empty()) {
            EXPECT_FALSE(result.problem) << result.problem->title;
        } else if (c.title == readError) {
            ASSERT_TRUE(result.problem);
            EXPECT_EQ(result.problem->title, readError) << "its text is the file scenarios' part";
        } else {
            ASSERT_TRUE(result.problem);
            EXPECT_EQ(result.problem->title, c.title);
            EXPECT_EQ(result.problem->icon, MessageIcon::Stop);
            EXPECT_EQ(result.problem->text, c.details + "The configuration file is corrupted.\r\n"
                                                        "Reinstall the program to restore the "
                                                        "file.\r\nThe program will now terminate.");
        }
    }
    EXPECT_EQ(parseConfig(fixedTime("2", "12400"), 0).settings.StopTime, 12359);
}

} // namespace
} // namespace dorvex

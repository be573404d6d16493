#include "log/LogEntry.h"
#include "platform/fake/FakeClock.h"

#include <gtest/gtest.h>

namespace dorvex {
namespace {

struct EntryCase {
    std::string name;
    LogEntryInput input;
    std::string text;
};

class LogEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(LogEntryTest, FormatsTheEntry) {
    const FakeClock clock;
    EXPECT_EQ(logEntryText(GetParam().input, clock), GetParam().text);
}

constexpr LocalDateTime morning{2026, 12, 7, 7, 40, 45};

INSTANTIATE_TEST_SUITE_P(
    Entries, LogEntryTest,
    testing::Values(
        EntryCase{"ColumnExample",
                  {1, "Start", "Initialise", false, 2, morning},
                  "07:40:45, Start     , Initialise, Count:     2"},
        EntryCase{"TestModeMarker",
                  {1, "Reset", "Test", true, 0, morning},
                  "07:40:45, Reset*    , Test      , Count:     0"},
        EntryCase{"NoMarkerOutsideTestMode",
                  {1, "Reset", "Run", false, 0, morning},
                  "07:40:45, Reset     , Run       , Count:     0"},
        EntryCase{"TenCharacterEventLosesTheMarker",
                  {1, "----------", "----------", true, 3, morning},
                  "07:40:45, ----------, ----------, Count:     3"},
        EntryCase{"LongStateIsCut",
                  {1, "Enter", "Power Off Now", false, 0, morning},
                  "07:40:45, Enter     , Power Off , Count:     0"},
        EntryCase{"NegativeCount",
                  {1, "Start", "Run", false, -5, morning},
                  "07:40:45, Start     , Run       , Count:    -5"},
        EntryCase{"WidestCount",
                  {1, "Start", "Run", false, -32768, morning},
                  "07:40:45, Start     , Run       , Count:-32768"},
        EntryCase{"MidnightSeparator",
                  {1, "Enter", "Run", false, 0, {2026, 12, 8, 0, 0, 0}},
                  "\r\n08-Dec-26\r\n---------\r\n00:00:00, Enter     , Run       , Count:     0"},
        EntryCase{"OneSecondAfterMidnight",
                  {1, "Enter", "Run", false, 0, {2026, 12, 8, 0, 0, 1}},
                  "00:00:01, Enter     , Run       , Count:     0"},
        EntryCase{"Header",
                  {0, "", "", false, 0, morning},
                  "Dorvex Zede\r\nVersion 5.5\r\nFile Created\r\n07-Dec-26 07:40:45"},
        EntryCase{"HeaderAtMidnightHasNoSeparator",
                  {0, "", "", false, 0, {2026, 1, 2, 0, 0, 0}},
                  "Dorvex Zede\r\nVersion 5.5\r\nFile Created\r\n02-Jan-26 00:00:00"},
        EntryCase{"EmptyEntry", {2, "", "", false, 0, morning}, "\r\n"},
        EntryCase{"NameVersionDate",
                  {3, "", "", false, 0, morning},
                  "Dorvex Zede\r\nVersion 5.5\r\n07-Dec-26\r\n"},
        EntryCase{"UnknownCode", {7, "Start", "Run", false, 0, morning}, ""}),
    [](const testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

} // namespace
} // namespace dorvex

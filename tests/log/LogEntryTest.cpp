#include "log/LogEntry.h"
#include "platform/fake/FakeClock.h"

#include <gtest/gtest.h>

namespace dorvex {
namespace {

constexpr LocalDateTime morning{2026, 12, 7, 7, 40, 45};

TEST(LogEntry, FormatsTheEntry) {
    const std::pair<LogEntryInput, std::string> cases[] = {
        {{1, "Start", "Initialise", false, 2, morning},
         "07:40:45, Start     , Initialise, Count:     2"},
        {{1, "Reset", "Test", true, 0, morning}, "07:40:45, Reset*    , Test      , Count:     0"},
        // A ten-character event loses the test-mode marker; a long state is cut.
        {{1, "----------", "----------", true, 3, morning},
         "07:40:45, ----------, ----------, Count:     3"},
        {{1, "Enter", "Power Off Now", false, 0, morning},
         "07:40:45, Enter     , Power Off , Count:     0"},
        {{1, "Start", "Run", false, -32768, morning},
         "07:40:45, Start     , Run       , Count:-32768"},
        {{2, "", "", false, 0, morning}, "\r\n"},
        {{7, "Start", "Run", false, 0, morning}, ""},
    };
    const FakeClock clock;
    for (const auto& [input, text] : cases) {
        EXPECT_EQ(logEntryText(input, clock), text);
    }
}

} // namespace
} // namespace dorvex

#include "platform/CivilTime.h"

#include <gtest/gtest.h>

namespace dorvex {
namespace {

TEST(CivilTime, CountsSecondsAcrossDaysMonthsAndLeapYears) {
    const std::pair<LocalDateTime, std::int64_t> known[] = {
        {{1970, 1, 1, 0, 0, 0}, 0},
        {{2000, 3, 1, 0, 0, 0}, 951868800},
        {{2024, 2, 29, 12, 30, 15}, 1709209815},
        {{1969, 12, 31, 23, 59, 59}, -1},
    };
    for (const auto& [moment, serial] : known) {
        EXPECT_EQ(toSerialSeconds(moment), serial);
        EXPECT_EQ(fromSerialSeconds(serial), moment);
    }
    EXPECT_EQ(fromSerialSeconds(toSerialSeconds({1999, 12, 31, 23, 59, 59}) + 1),
              (LocalDateTime{2000, 1, 1, 0, 0, 0}));
    EXPECT_EQ(fromSerialSeconds(toSerialSeconds({2026, 2, 28, 23, 0, 0}) + 3600),
              (LocalDateTime{2026, 3, 1, 0, 0, 0}));
}

} // namespace
} // namespace dorvex

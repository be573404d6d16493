#include "platform/linux/LocalClock.h"
#include "tests/linux/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <ctime>
#include <thread>

namespace dorvex {
namespace {

TEST(LocalClock, TellsTheLocalTimeCountsMillisecondsAndNamesTheMonths) {
    const test::ScopedEnvironment language("LC_ALL", "C");
    const LocalClock clock;
    const std::time_t before = std::time(nullptr);
    const std::uint32_t start = clock.tickCount();
    const LocalDateTime now = clock.now();
    std::tm expected{};
    localtime_r(&before, &expected);
    EXPECT_EQ((std::array{now.year, now.month, now.day, now.hour}),
              (std::array{expected.tm_year + 1900, expected.tm_mon + 1, expected.tm_mday,
                          expected.tm_hour}));
    EXPECT_NEAR(now.minute * 60 + now.second, expected.tm_min * 60 + expected.tm_sec, 2);

    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    const std::uint32_t elapsed = clock.tickCount() - start;
    EXPECT_GE(elapsed, 120u);
    EXPECT_LT(elapsed, 5000u);

    // A changed time zone counts at once, although the time is kept for the rest of the minute.
    const auto minutesOfDay = [&clock] {
        const LocalDateTime local = clock.now();
        return local.hour * 60 + local.minute;
    };
    const test::ScopedEnvironment zone("TZ", "UTC0");
    const int utc = minutesOfDay();
    const test::ScopedEnvironment india("TZ", "IST-5:30");
    EXPECT_NEAR((minutesOfDay() - utc + 24 * 60) % (24 * 60), 5 * 60 + 30, 1); // a minute may pass

    EXPECT_EQ(clock.abbreviatedMonthName(1) + clock.abbreviatedMonthName(12), "JanDec");
}

} // namespace
} // namespace dorvex

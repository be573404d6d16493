#include "monitor/ClsCPUUsageNT.h"

#include <gtest/gtest.h>

namespace dorvex {
namespace {

// System times that the test sets directly.
class ScriptedTimes : public SystemTimesSource {
public:
    bool read(SystemTimes& out) override {
        if (failing) {
            return false;
        }
        out = times;
        return true;
    }
    void advance(std::int64_t idle, std::int64_t kernel, std::int64_t user) {
        times = {times.idle + idle, times.kernel + kernel, times.user + user};
    }
    SystemTimes times{1'000'000, 3'000'000, 2'000'000};
    bool failing = false;
};

TEST(ClsCPUUsageNT, TheLoadOfAnIntervalIsTheNonIdleShareRoundedDown) {
    // What each counter advanced by (kernel time includes idle time), and the load.
    const struct {
        std::int64_t idle, kernel, user;
        std::int32_t load;
    } cases[] = {{0, 0, 0, 100}, // no time passed
                 {10'000'000, 10'000'000, 0, 0},
                 {5'000'000, 5'000'000, 5'000'000, 50},
                 {10, 9'990, 0, 99},     // 99.9
                 {10'050, 9'990, 0, -1}, // -0.5
                 {0, 0, 10'000'000, 100},
                 {40'000'000'000LL, 60'000'000'000LL, 20'000'000'000LL, 50}};
    for (const auto& c : cases) {
        ScriptedTimes source;
        ClsCPUUsageNT sampler(source);
        sampler.Initialise64();
        source.advance(c.idle, c.kernel, c.user);
        EXPECT_EQ(sampler.Query64(), c.load) << c.idle << " " << c.kernel << " " << c.user;
    }
}

TEST(ClsCPUUsageNT, EachQueryStartsTheNextIntervalUnlessTheTimesAreUnreadable) {
    ScriptedTimes source; // idle 1, kernel 3, user 2: four fifths busy since the start
    ClsCPUUsageNT sampler(source);
    EXPECT_EQ(sampler.Query64(), 80) << "without Initialise64: since the system started";
    source.advance(10'000'000, 10'000'000, 0);
    EXPECT_EQ(sampler.Query64(), 0);
    source.advance(0, 0, 10'000'000);
    source.failing = true;
    EXPECT_EQ(sampler.Query64(), 0);
    sampler.Initialise64(); // changes nothing either
    source.failing = false;
    source.advance(10'000'000, 10'000'000, 0);
    EXPECT_EQ(sampler.Query64(), 50) << "the interval still began before the failure";
}

} // namespace
} // namespace dorvex

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
    SystemTimes times{1'000'000, 3'000'000, 2'000'000};
    bool failing = false;
};

struct IntervalCase {
    std::string name;
    std::int64_t idle, kernel, user; // what each counter advanced by; kernel includes idle
    std::int32_t load;
};

class LoadOfAnInterval : public testing::TestWithParam<IntervalCase> {};

TEST_P(LoadOfAnInterval, IsTheNonIdleShareRoundedDown) {
    ScriptedTimes source;
    ClsCPUUsageNT sampler(source);
    sampler.Initialise64();
    source.times.idle += GetParam().idle;
    source.times.kernel += GetParam().kernel;
    source.times.user += GetParam().user;
    EXPECT_EQ(sampler.Query64(), GetParam().load);
}

INSTANTIATE_TEST_SUITE_P(
    Arithmetic, LoadOfAnInterval,
    testing::Values(IntervalCase{"NoTimePassedIsFullLoad", 0, 0, 0, 100},
                    IntervalCase{"FullyIdle", 10'000'000, 10'000'000, 0, 0},
                    IntervalCase{"HalfIdle", 5'000'000, 5'000'000, 5'000'000, 50},
                    IntervalCase{"NinetyNinePointNineIsNinetyNine", 10, 9'990, 0, 99},
                    IntervalCase{"MinusAHalfIsMinusOne", 10'050, 9'990, 0, -1},
                    IntervalCase{"UserTimeOnly", 0, 0, 10'000'000, 100},
                    IntervalCase{"BeyondThirtyTwoBits", 40'000'000'000LL, 60'000'000'000LL,
                                 20'000'000'000LL, 50}),
    [](const testing::TestParamInfo<IntervalCase>& info) { return info.param.name; });

TEST(ClsCPUUsageNT, EachQueryStartsTheNextInterval) {
    ScriptedTimes source;
    ClsCPUUsageNT sampler(source);
    sampler.Initialise64();
    source.times.kernel += 10'000'000;
    source.times.idle += 10'000'000;
    EXPECT_EQ(sampler.Query64(), 0);
    source.times.user += 10'000'000;
    EXPECT_EQ(sampler.Query64(), 100) << "the second interval had no idle time";
}

TEST(ClsCPUUsageNT, UnreadableTimesGiveZeroAndKeepTheIntervalStart) {
    ScriptedTimes source;
    ClsCPUUsageNT sampler(source);
    sampler.Initialise64();
    source.times.user += 10'000'000;
    source.failing = true;
    EXPECT_EQ(sampler.Query64(), 0);
    sampler.Initialise64(); // changes nothing either
    source.failing = false;
    source.times.idle += 10'000'000;
    source.times.kernel += 10'000'000;
    EXPECT_EQ(sampler.Query64(), 50) << "the interval still began before the failure";
}

TEST(ClsCPUUsageNT, WithoutInitialiseTheFirstQueryMeasuresSinceTheSystemStarted) {
    ScriptedTimes source; // idle 1, kernel 3, user 2: four fifths busy since the start
    ClsCPUUsageNT sampler(source);
    EXPECT_EQ(sampler.Query64(), 80);
}

} // namespace
} // namespace dorvex

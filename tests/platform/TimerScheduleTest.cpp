#include "platform/windowing/TimerSchedule.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace dorvex {
namespace {

using Step = TimerSchedule::Step;

// Each window system starts and stops its native timers by these steps.
TEST(TimerSchedule, StartsAnewOnlyForANewStartOrIntervalAndStopsOnce) {
    Control timer{.kind = ControlKind::Timer, .enabled = false};
    TimerSchedule schedule;
    const std::function<void()> nothing = [] {};
    const struct {
        const char* what;
        std::function<void()> change;
        Step step;
    } steps[] = {
        {"disabled", nothing, Step::Keep},
        {"enabled without an interval", [&] { timer.setTimerEnabled(true); }, Step::Keep},
        {"given an interval", [&] { timer.intervalMs = 1000; }, Step::Start},
        {"unchanged", nothing, Step::Keep},
        {"enabled again while it runs", [&] { timer.setTimerEnabled(true); }, Step::Keep},
        {"stopped and started in one handler",
         [&] {
             timer.setTimerEnabled(false);
             timer.setTimerEnabled(true);
         },
         Step::Start},
        {"a new interval", [&] { timer.intervalMs = 500; }, Step::Start},
        {"disabled", [&] { timer.setTimerEnabled(false); }, Step::Stop},
        {"still disabled", nothing, Step::Keep},
        {"enabled", [&] { timer.setTimerEnabled(true); }, Step::Start},
        {"stopped by the window system", [&] { EXPECT_TRUE(schedule.stopped()); }, Step::Start},
    };
    for (const auto& s : steps) {
        s.change();
        EXPECT_EQ(schedule.follow(timer), s.step) << s.what;
    }
    EXPECT_TRUE(schedule.stopped());
    EXPECT_FALSE(schedule.stopped()) << "stopped once";
}

} // namespace
} // namespace dorvex

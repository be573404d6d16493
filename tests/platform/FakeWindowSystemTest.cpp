#include "platform/fake/FakeWindowSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvex {
namespace {

// Records the timer events it gets, with the elapsed time when each came.
class TimerLog : public WindowEvents {
public:
    explicit TimerLog(const FakeClock& clock) : clock_(clock) {}
    void timer(std::string_view name) override {
        fired.push_back(std::string(name) + "@" + std::to_string(clock_.elapsed()));
        if (onTimer) {
            onTimer(name);
        }
    }
    void click(std::string_view) override {}
    void menuChosen(std::string_view) override {}
    void activated() override {}
    void stateChanged() override {}
    void closeRequested() override {}
    void trayMouse(int) override {}

    std::vector<std::string> fired;
    std::function<void(std::string_view)> onTimer;

private:
    const FakeClock& clock_;
};

Control timerNamed(const std::string& name, int interval) {
    Control c;
    c.name = name;
    c.kind = ControlKind::Timer;
    c.intervalMs = interval;
    c.enabled = false;
    c.setTimerEnabled(true);
    return c;
}

TEST(FakeWindowSystem, FiresTimersInTimeOrder) {
    FakeClock clock;
    FakeWindowSystem windows(clock);
    WindowModel model;
    model.name = "w";
    model.add(timerNamed("slow", 1000));
    model.add(timerNamed("fast", 400));
    TimerLog log(clock);
    windows.load(model, log);
    windows.runFor(2000);
    EXPECT_EQ(log.fired, (std::vector<std::string>{"fast@400", "fast@800", "slow@1000", "fast@1200",
                                                   "fast@1600", "slow@2000", "fast@2000"}));
    EXPECT_EQ(clock.elapsed(), 2000);
}

TEST(FakeWindowSystem, AStoppedAndRestartedTimerStartsItsPeriodAgain) {
    FakeClock clock;
    FakeWindowSystem windows(clock);
    WindowModel model;
    model.name = "w";
    Control& tick = model.add(timerNamed("tick", 1000));
    TimerLog log(clock);
    windows.load(model, log);
    windows.runFor(600);
    tick.setTimerEnabled(false);
    tick.setTimerEnabled(true);
    windows.update();
    windows.runFor(1500);
    EXPECT_EQ(log.fired, std::vector<std::string>{"tick@1600"});

    tick.setTimerEnabled(false);
    windows.update();
    windows.runFor(5000);
    EXPECT_EQ(log.fired.size(), 1u) << "a stopped timer stays silent";
}

TEST(FakeWindowSystem, UnloadingAWindowStopsItsTimers) {
    FakeClock clock;
    FakeWindowSystem windows(clock);
    WindowModel model;
    model.name = "w";
    model.add(timerNamed("tick", 100));
    TimerLog log(clock);
    windows.load(model, log);
    log.onTimer = [&](std::string_view) { windows.unload(model); };
    windows.runFor(1000);
    EXPECT_EQ(log.fired, std::vector<std::string>{"tick@100"});
}

} // namespace
} // namespace dorvex

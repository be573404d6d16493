#include "tests/qt/QtTestSupport.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

class Timers : public ::testing::Test {
protected:
    Timers() {
        tick.intervalMs = 200;
        events.react = [this](const std::string&) { firedAfterMs.push_back(clock.elapsed()); };
    }
    void start() {
        clock.start();
        windows.load(model, events);
    }

    WindowModel model = makeWindow();
    Control& tick = model.add(makeControl("tmrRefresh", ControlKind::Timer));
    EventRecord events;
    QElapsedTimer clock;
    std::vector<qint64> firedAfterMs;
    QtWindowSystem windows;
};

TEST_F(Timers, AnEnabledTimerFiresAtItsInterval) {
    tick.setTimerEnabled(true);
    start();
    ASSERT_TRUE(waitFor([&] { return firedAfterMs.size() == 2; }));
    EXPECT_EQ(events.events, (std::vector<std::string>{"timer tmrRefresh", "timer tmrRefresh"}));
    EXPECT_GE(firedAfterMs[0], 195);
    EXPECT_GE(firedAfterMs[1], 395);
}

TEST_F(Timers, ADisabledOrIntervallessTimerDoesNotFire) {
    Control& idle = model.add(makeControl("idle", ControlKind::Timer));
    idle.intervalMs = 0;
    idle.setTimerEnabled(true);
    tick.setTimerEnabled(true);
    tick.setTimerEnabled(false);
    start();
    QTest::qWait(300);
    EXPECT_TRUE(events.events.empty());
}

TEST_F(Timers, StoppingInAHandlerStopsIt) {
    tick.setTimerEnabled(true);
    events.react = [this](const std::string&) {
        tick.setTimerEnabled(false);
        windows.update();
    };
    start();
    QTest::qWait(650);
    EXPECT_EQ(events.events.size(), 1U);
}

TEST_F(Timers, ANewStartBeginsThePeriodAgain) {
    tick.setTimerEnabled(true);
    start();
    QTest::qWait(120);
    tick.setTimerEnabled(false);
    tick.setTimerEnabled(true); // stopped and started within one handler
    windows.update();
    ASSERT_TRUE(waitFor([&] { return !firedAfterMs.empty(); }));
    EXPECT_GE(firedAfterMs[0], 315);
}

TEST_F(Timers, EnablingARunningTimerAgainDoesNotRestartIt) {
    tick.setTimerEnabled(true);
    start();
    QTest::qWait(120);
    tick.setTimerEnabled(true);
    windows.update();
    ASSERT_TRUE(waitFor([&] { return !firedAfterMs.empty(); }));
    EXPECT_LT(firedAfterMs[0], 300);
}

TEST_F(Timers, TimersOfAHiddenWindowRun) {
    model.visible = false;
    tick.setTimerEnabled(true);
    start();
    EXPECT_TRUE(waitFor([&] { return !firedAfterMs.empty(); }));
}

} // namespace
} // namespace dorvex::test

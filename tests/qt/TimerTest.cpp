#include "tests/qt/QtTestSupport.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace dorvex::test {
namespace {

class Timers : public LoadedWindow {
protected:
    Timers() {
        tick.intervalMs = 200;
        events.react = [this](const std::string&) { firedAfterMs.push_back(clock.elapsed()); };
    }
    void start() {
        clock.start();
        load();
    }
    // When the named timer first fired, in milliseconds after the start; -1 when it did not.
    qint64 firstFired(const std::string& timer) const {
        const auto found = std::find(events.events.begin(), events.events.end(), "timer " + timer);
        return found == events.events.end() ? -1 : firedAfterMs[found - events.events.begin()];
    }

    Control& tick = model.add(makeControl("tmrRefresh", ControlKind::Timer));
    QElapsedTimer clock;
    std::vector<qint64> firedAfterMs;
};

TEST_F(Timers, AnEnabledTimerFiresAtItsIntervalAlsoInAHiddenWindow) {
    model.visible = false;
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

TEST_F(Timers, AStopAndStartBeginsThePeriodAgainAndEnablingAgainDoesNot) {
    Control& again = model.add(makeControl("again", ControlKind::Timer));
    again.intervalMs = 200;
    again.setTimerEnabled(true);
    tick.setTimerEnabled(true);
    start();
    QTest::qWait(120);
    tick.setTimerEnabled(false);
    tick.setTimerEnabled(true); // stopped and started within one handler
    again.setTimerEnabled(true);
    windows.update();
    ASSERT_TRUE(waitFor([&] { return firstFired("tmrRefresh") >= 0; }));
    EXPECT_GE(firstFired("tmrRefresh"), 315);
    EXPECT_GE(firstFired("again"), 0);
    EXPECT_LT(firstFired("again"), 300);
}

} // namespace
} // namespace dorvex::test

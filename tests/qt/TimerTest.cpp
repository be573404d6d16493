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

TEST_F(Timers, OnlyAnEnabledTimerWithAnIntervalFiresAndStoppingInAHandlerStopsIt) {
    model.add(makeControl("idle", ControlKind::Timer)).setTimerEnabled(true); // no interval
    Control& off = model.add(makeControl("off", ControlKind::Timer));
    off.intervalMs = 100;
    off.setTimerEnabled(true);
    off.setTimerEnabled(false);
    tick.setTimerEnabled(true);
    events.react = [this](const std::string&) {
        tick.setTimerEnabled(false);
        windows.update();
    };
    start();
    QTest::qWait(650);
    EXPECT_EQ(events.events, std::vector<std::string>{"timer tmrRefresh"});
}

// A timer fires at its interval, also in a hidden window; a stop and start, or a new interval,
// begins the period again; enabling again does not.
TEST_F(Timers, FireAtTheirIntervalAndBeginThePeriodAgainOnAStopAndStartOrANewInterval) {
    model.visible = false;
    Control& again = model.add(makeControl("again", ControlKind::Timer));
    again.intervalMs = 200;
    again.setTimerEnabled(true);
    Control& slower = model.add(makeControl("slower", ControlKind::Timer));
    slower.intervalMs = 200;
    slower.setTimerEnabled(true);
    tick.setTimerEnabled(true);
    start();
    QTest::qWait(120);
    tick.setTimerEnabled(false);
    tick.setTimerEnabled(true); // stopped and started within one handler
    again.setTimerEnabled(true);
    slower.intervalMs = 300;
    windows.update();
    ASSERT_TRUE(waitFor([&] {
        return firstFired("slower") >= 0 && std::ranges::count(events.events, "timer again") >= 2;
    }));
    EXPECT_GE(firstFired("tmrRefresh"), 315);
    EXPECT_GE(firstFired("slower"), 415);
    EXPECT_GE(firstFired("again"), 195);
    EXPECT_LT(firstFired("again"), 300);
}

} // namespace
} // namespace dorvex::test

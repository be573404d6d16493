#include "tests/qt/QtTestSupport.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

class Timers : public LoadedWindow {
protected:
    Timers() { tick.intervalMs = 200; }

    Control& tick = model.add(makeControl("tmrRefresh", ControlKind::Timer));
    QElapsedTimer clock;
};

// Only an enabled timer with an interval fires, at its interval, also in a hidden window; stopped
// in its handler, it fires no more.
TEST_F(Timers, OnlyAnEnabledTimerWithAnIntervalFiresAndStoppingInAHandlerStopsIt) {
    model.visible = false;
    model.add(makeControl("idle", ControlKind::Timer)).setTimerEnabled(true); // no interval
    Control& off = model.add(makeControl("off", ControlKind::Timer));
    off.intervalMs = 100;
    off.setTimerEnabled(true);
    off.setTimerEnabled(false);
    tick.setTimerEnabled(true);
    qint64 firedAfterMs = -1;
    events.react = [&](const std::string&) {
        firedAfterMs = clock.elapsed();
        tick.setTimerEnabled(false);
        windows.update();
    };
    clock.start();
    load();
    ASSERT_TRUE(waitFor([&] { return !events.events.empty(); }));
    QTest::qWait(450); // two more intervals
    EXPECT_EQ(events.events, std::vector<std::string>{"timer tmrRefresh"});
    EXPECT_GE(firedAfterMs, 195);
}

} // namespace
} // namespace dorvex::test

#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

TEST(TestMode, RunsWithFiveSecondLimitsAndEndsInASelfClosingBox) {
    Simulation sim;
    sim.advanceSeconds(10);
    sim.click("TestS");
    EXPECT_TRUE(sim.run().TestMode);
    EXPECT_EQ(sim.run().CPUIdleLimit + sim.run().KMIdleLimit, 5 + 5);
    EXPECT_EQ(sim.mainWindow().caption, "Dorvex Zede - Test Mode");
    EXPECT_FALSE(sim.main().About.enabled || sim.main().Update.enabled);
    EXPECT_EQ(sim.fake().windows.trayIcon().picture, "activate");

    sim.advanceSeconds(2 + 4);
    EXPECT_TRUE(sim.messages().empty());
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.messages(), (std::vector{ShownMessage{"Dorvex Zede Test", "Test Power Off",
                                                        MessageIcon::None, 60000}}));
    EXPECT_FALSE(sim.run().TestMode || sim.ended());
    EXPECT_EQ(sim.run().KMIdleLimit, 900);
    EXPECT_EQ(sim.run().RunMode, RunState::StartUpDelay);
    EXPECT_TRUE(sim.main().mPopUpAbout.enabled && sim.main().Update.enabled);
    EXPECT_TRUE(sim.fake().power.requests.empty() && sim.fake().notices.shown.empty());
    EXPECT_EQ(sim.lastEvents(5), (Strings{"Enter/Test", "Start*/Initialise", "Enter*/Run",
                                          "Simulate*/Power Off", "Start/Initialise"}));
    using K = LogEventKind;
    EXPECT_EQ(sim.lastSentKinds(5),
              (std::vector{K::Test, K::Start, K::Monitoring, K::Simulation, K::Start}));
}

TEST(TestMode, ASecondClickRestartsTheTestAndResetEndsIt) {
    Simulation sim;
    sim.click("TestS");
    sim.advanceSeconds(4);
    sim.chooseFromTray("mPopUpTest");
    EXPECT_EQ(sim.lastEvents(2), (Strings{"Reset*/Test", "Start*/Initialise"}));
    EXPECT_EQ(sim.lastSentKinds(2), (std::vector{LogEventKind::Test, LogEventKind::Start}));
    EXPECT_TRUE(sim.run().TestMode && sim.run().RunMode == RunState::StartUpDelay);
    sim.advanceSeconds(3);
    sim.click("Reset");
    EXPECT_EQ(sim.lastEvents(2), (Strings{"Reset*/Run", "Start/Initialise"}));
    EXPECT_EQ(sim.lastSentKinds(2), (std::vector{LogEventKind::Reset, LogEventKind::Start}));
    EXPECT_FALSE(sim.run().TestMode);
    EXPECT_EQ(sim.run().KMIdleLimit, 900);
}

TEST(TestMode, AFixedTimeTestWithNothingWatchedWaitsForTheFixedTime) {
    Simulation sim({.config = configWith("1", "1", "2", "12300", "1")});
    sim.click("TestS");
    sim.advanceSeconds(600);
    EXPECT_TRUE(sim.messages().empty() && sim.run().TestMode);
}

} // namespace
} // namespace dorvex::test

#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// Processor watched alone: the countdown begins on the 62nd tick.
const std::string processorOnly = configWith("2", "1", "1", "12300", "1");
constexpr int ticksToCountdown = 62;

Strings eventsAfterStart(const Simulation& sim) {
    Strings events = sim.logEvents();
    events.erase(events.begin()); // Start/Initialise of the start-up
    return events;
}

TEST(Countdown, ShowsTheWindowOnTopLockedButCancelAndPowersOffAfterSixtyOneSteps) {
    Simulation sim({.config = processorOnly});
    sim.advanceSeconds(ticksToCountdown);
    DorvexLMain& main = sim.main();
    EXPECT_TRUE(sim.mainWindow().visible && sim.mainWindow().topmost);
    EXPECT_EQ(sim.fake().windows.trayIcon(),
              (TrayIcon{"shutdown", "Dorvex Zede", "The Computer Will Power Off In 60s", 60000}));
    EXPECT_EQ(main.StatusActT.text + main.CPUAct.text + main.KeyAct.text + main.MouseAct.text,
              "- - -- - ---");
    EXPECT_EQ(main.Reset.text, "&Cancel");
    EXPECT_EQ(main.Reset.toolTip, "Cancel Dorvex Zede Power Off");
    EXPECT_EQ(sim.fake().notices.shown,
              (Strings{"The Computer Will Power Off In 60s\nAt 10:02:02. An administrator can "
                       "cancel it in the Dorvex Zede window or from its tray icon."}));
    EXPECT_TRUE(sim.fake().notices.showing);
    EXPECT_TRUE(main.Reset.enabled);
    for (const Control* off : {&main.About, &main.TestS, &main.Exit, &main.Update}) {
        EXPECT_FALSE(off->enabled) << off->name;
    }
    sim.fake().windows.events("DorvexLMain")->trayMouse(0x0204);
    EXPECT_EQ(
        sim.fake().windows.menusShown.back(),
        (Strings{"About Dorvex Zede (disabled)", "-", "Cancel", "Minimise (disabled)",
                 "Test (disabled)", "Update (disabled)", "-", "Close Dorvex Zede (disabled)"}));

    for (int left = 60; left >= 0; --left) {
        EXPECT_EQ(main.StatusActA.text,
                  "The Computer Will Power Off In " + std::to_string(left) + "s");
        EXPECT_EQ(sim.fake().power.requests.empty(), left > 0) << left << " s left";
        if (left > 0) {
            sim.advanceSeconds(1);
        }
    }
    EXPECT_EQ(sim.fake().power.requests, (Strings{"privilege power off", "exit 12"}));
    EXPECT_TRUE(sim.fake().notices.shown.size() == 1 && !sim.fake().notices.showing);
    EXPECT_EQ(eventsAfterStart(sim), (Strings{"Enter/Run", "Enter/Power Off", "Start/Power Off",
                                              "Close/Power Off", "Exit/Power Off"}));
    EXPECT_FALSE(sim.fake().windows.trayShown());
    EXPECT_EQ(sim.exitStatus(), 0);
    using K = LogEventKind;
    EXPECT_EQ(
        sim.fake().systemLog.entries,
        (std::vector<FakeSystemLog::Kept>{
            {K::Start, "Dorvex Zede; Version 5.5; File Created; 07-Dec-26 10:00:00", "", "", 0},
            {K::Start, "Dorvex Zede; Version 5.5; 07-Dec-26", "", "", 0},
            {K::Start, "10:00:00, Start     , Initialise, Count:     2", "Start", "Initialise", 2},
            {K::Monitoring, "10:00:02, Enter     , Run       , Count:     0", "Enter", "Run", 0},
            {K::Countdown, "10:01:02, Enter     , Power Off , Count:     0", "Enter", "Power Off",
             0},
            {K::PowerOff, "10:02:02, Start     , Power Off , Count:    60", "Start", "Power Off",
             60},
            {K::Exit, "10:02:02, Close     , Power Off , Count:    60", "Close", "Power Off", 60},
            {K::Exit, "10:02:02, Exit      , Power Off , Count:    60", "Exit", "Power Off", 60}}));
}

TEST(Countdown, HibernatesOrSimulatesItAndComesBackToTheTray) {
    for (const bool simulated : {false, true}) {
        SCOPED_TRACE(simulated);
        Simulation sim({.arguments = simulated ? "-IncreaseCPULevel" : "",
                        .config = configWith("2", "1", "1", "12300", "5")});
        sim.advanceSeconds(ticksToCountdown);
        EXPECT_EQ(sim.main().StatusActA.text, "The Computer Will Hibernate In 60s");
        sim.advanceSeconds(60);
        Strings events{"Enter/Run",
                       "Enter/Hibernate",
                       "Start/Initialise",
                       "----------/----------",
                       "----------/----------",
                       "Restart/Hibernate"};
        if (simulated) {
            events.insert(events.begin() + 2, "Simulate/Hibernate");
        }
        EXPECT_EQ(eventsAfterStart(sim), events);
        EXPECT_EQ(sim.lastSentKinds(3), std::vector(3, LogEventKind::HibernationResume));
        EXPECT_EQ(sim.fake().power.requests,
                  (simulated ? Strings{} : Strings{"privilege hibernate", "hibernate"}));
        EXPECT_EQ(sim.messages().size() == 1 &&
                      sim.messages()[0].title == "Dorvex Zede Simulate Hibernate",
                  simulated);
        EXPECT_FALSE(sim.ended());
        EXPECT_EQ(sim.run().RunMode, RunState::StartUpDelay);
        EXPECT_TRUE(sim.fake().notices.shown.size() == 1 && !sim.fake().notices.showing);
        EXPECT_FALSE(sim.mainWindow().visible);
        EXPECT_EQ(sim.mainWindow().state, WindowState::Minimised);
        // The step after the resume adds one second to the start-up delay.
        EXPECT_EQ(sim.run().PhaseSeconds, 3);
        sim.advanceSeconds(2);
        EXPECT_EQ(sim.main().StatusActA.text, "Activate in 1s");
        sim.advanceSeconds(1);
        EXPECT_EQ(sim.run().RunMode, RunState::Monitoring);
    }
}

TEST(Countdown, CancelFromTheButtonOrTheTrayStartsAgain) {
    for (const bool fromTray : {false, true}) {
        Simulation sim({.config = processorOnly});
        sim.advanceSeconds(ticksToCountdown + 10);
        if (fromTray) {
            sim.chooseFromTray("mPopUpCancel");
        } else {
            sim.click("Reset");
        }
        EXPECT_EQ(sim.lastEvents(2), (Strings{"Reset/Power Off", "Start/Initialise"}));
        EXPECT_EQ(sim.lastSentKinds(2), (std::vector{LogEventKind::Reset, LogEventKind::Start}));
        EXPECT_EQ(sim.run().RunMode, RunState::StartUpDelay);
        EXPECT_EQ(sim.main().Reset.text, "&Reset");
        EXPECT_TRUE(sim.main().mPopUpReset.visible && !sim.main().mPopUpCancel.visible);
        EXPECT_EQ(sim.fake().windows.trayIcon().picture, "activate");
        EXPECT_FALSE(sim.mainWindow().topmost || !sim.fake().power.requests.empty());
        EXPECT_FALSE(sim.fake().notices.showing);
        // The next countdown shows its own notice, withdrawn when the program is ended.
        sim.advanceSeconds(ticksToCountdown);
        EXPECT_TRUE(sim.fake().notices.shown.size() == 2 && sim.fake().notices.showing);
        sim.program().endOnRequest();
        EXPECT_TRUE(sim.ended() && !sim.fake().notices.showing);
    }
}

TEST(Countdown, AUserWhoIsNoAdministratorCanNeitherTestNorCloseNorCancel) {
    Simulation sim({.config = processorOnly, .administrator = false});
    sim.click("TestS");
    sim.chooseFromTray("mPopUpTest");
    sim.program().dispatch([&] { sim.main().menuItemChosen("mPopUpTest"); });
    EXPECT_FALSE(sim.run().TestMode) << "disabled commands do nothing";
    sim.click("About");
    sim.click("ExitAbout", "frmAbout");
    EXPECT_FALSE(sim.main().TestS.enabled || sim.main().Exit.enabled);
    EXPECT_FALSE(sim.main().mPopUpTest.enabled || sim.main().mPopUpExit.enabled);
    EXPECT_FALSE(sim.mainWindow().closeCommand);
    sim.advanceSeconds(ticksToCountdown);
    EXPECT_FALSE(sim.main().Reset.enabled || sim.main().mPopUpCancel.visible);
    sim.click("Reset");
    EXPECT_EQ(sim.run().RunMode, RunState::Countdown);
    sim.fake().windows.events("DorvexLMain")->closeRequested();
    EXPECT_FALSE(sim.ended()) << "no close command for users";
    EXPECT_FALSE(Simulation({.arguments = "-InhibitAdmin"}).main().mPopUpExit.enabled);
}

TEST(Countdown, SimulatedPowerOffShowsAMessageOnceAndStillEnds) {
    Simulation sim({.arguments = "-InhibitShutdown"});
    int ticksDuringBox = 0;
    sim.fake().windows.whileMessageOpen = [&](const ShownMessage&) {
        sim.fake().windows.runFor(5000); // the user reads the box for five seconds
        ticksDuringBox = static_cast<int>(sim.logEvents().size());
    };
    sim.advanceSeconds(2 + 5 + 6); // six quiet seconds, then six of seven countdown steps
    ASSERT_EQ(sim.main().StatusActA.text, "The Computer Will Power Off In 1s");
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.messages(),
              (std::vector<ShownMessage>{
                  {"Dorvex Zede Simulate Power Off", "Test Real Power Off", MessageIcon::None}}));
    EXPECT_TRUE(sim.fake().power.requests.empty());
    EXPECT_EQ(ticksDuringBox, 5) << "no entry was written while the box was open";
    EXPECT_EQ(eventsAfterStart(sim),
              (Strings{"Enter/Run", "Enter/Power Off", "Start/Power Off", "Simulate/Power Off",
                       "Close/Power Off", "Exit/Power Off"}));
    using K = LogEventKind;
    EXPECT_EQ(sim.lastSentKinds(4), (std::vector{K::PowerOff, K::Simulation, K::Exit, K::Exit}));
    EXPECT_EQ(sim.exitStatus(), 0);
}

} // namespace
} // namespace dorvex::test

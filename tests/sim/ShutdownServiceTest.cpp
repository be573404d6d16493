#include "shutdown/MdShut.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// A refused power off ends the program with the numbered error, and is never logged as done.
TEST(ShutdownService, ARefusedPowerOffEndsTheProgramWithTheNumberedError) {
    const struct {
        PrivilegeResult privilege;
        PowerRequestResult answer;
        std::int32_t number;
        std::string description;
    } cases[] = {
        {{PrivilegeFailure::NotPermitted, "Access denied"},
         {true, ""},
         -2147219922,
         "Can't enable shutdown: You do not have the privileges to shutdown this system. [Access "
         "denied]"},
        {{PrivilegeFailure::PrivilegeNotFound, "No such service"},
         {true, ""},
         -2147219924,
         "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. [No such "
         "service]"},
        {{PrivilegeFailure::NoCurrentProcess, ""},
         {true, ""},
         -2147219923,
         "Can't enable shutdown: Can't determine the current process. []"},
        {{},
         {false, "Operation not permitted"},
         -2147219925,
         "ShutdownSystem failed: Operation not permitted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Simulation sim({.config = configWith("2", "1", "1", "12300", "1")});
        sim.fake().power.privilege = c.privilege;
        sim.fake().power.answer = c.answer;
        sim.advanceSeconds(62 + 60);
        EXPECT_EQ(sim.messages(),
                  (std::vector<ShownMessage>{
                      {"Dorvex Zede",
                       "Run-time error '" + std::to_string(c.number) + "':\r\n\r\n" + c.description,
                       MessageIcon::Stop}}));
        EXPECT_EQ(sim.exitStatus(), 1);
        EXPECT_FALSE(sim.fake().windows.trayShown() || sim.fake().notices.showing);
        EXPECT_EQ(sim.lastEvents(1), Strings{"Start/Power Off"}) << "never logged as closed";
    }
}

TEST(ShutdownService, RefusesFlagsOutOfRangeWithoutAskingTheSystem) {
    for (const std::int32_t flags : {32, -1}) {
        Simulation sim;
        sim.program().dispatch([&] { sim.program().mdShut.ShutdownSystem(flags); });
        ASSERT_EQ(sim.messages().size(), 1u);
        EXPECT_EQ(sim.messages().front().text,
                  "Run-time error '-2147219921':\r\n\r\nInvalid parameter to ShutdownSystem: " +
                      std::to_string(flags));
        EXPECT_TRUE(sim.fake().power.requests.empty());
    }
}

// A machine that cannot hibernate says so, logs no hibernation, and goes on being watched, also
// while the report is open.
TEST(ShutdownService, ARefusedHibernationIsReportedAndMonitoringGoesOn) {
    Simulation sim({.config = configWith("2", "1", "1", "12300", "5")});
    sim.fake().power.answer = {false, "Sleep verb not supported"};
    int modeWhileOpen = -1;
    sim.fake().windows.whileMessageOpen = [&](const ShownMessage&) {
        sim.advanceSeconds(4);
        modeWhileOpen = sim.run().RunMode;
    };
    sim.advanceSeconds(62 + 61);
    EXPECT_EQ(modeWhileOpen, RunState::Monitoring);
    ASSERT_EQ(sim.messages().size(), 1u);
    EXPECT_EQ(sim.messages().front(),
              (ShownMessage{"Dorvex Zede",
                            "Run-time error '-2147219925':\r\n\r\nHibernate_System failed: Sleep "
                            "verb not supported",
                            MessageIcon::Stop}));
    EXPECT_FALSE(sim.ended());
    EXPECT_EQ(sim.logEvents(), (Strings{"Start/Initialise", "Enter/Run", "Enter/Hibernate",
                                        "Start/Initialise", "Enter/Run"}));
    EXPECT_EQ(sim.mainWindow().state, WindowState::Minimised);
    EXPECT_TRUE(sim.fake().windows.trayShown());
}

// Nothing ticks while the machine sleeps: the resume is logged before monitoring starts again.
TEST(ShutdownService, NothingTicksInsideTheHibernation) {
    Simulation sim({.config = configWith("2", "1", "1", "12300", "5")});
    sim.fake().power.whileHibernating = [&] { sim.advanceSeconds(10); };
    sim.advanceSeconds(62 + 61);
    EXPECT_EQ(sim.fake().power.requests, (Strings{"privilege hibernate", "hibernate"}));
    EXPECT_EQ(sim.logEvents(),
              (Strings{"Start/Initialise", "Enter/Run", "Enter/Hibernate", "Start/Initialise",
                       "----------/----------", "----------/----------", "Restart/Hibernate"}));
}

TEST(ShutdownService, TheTimedBoxWaitsFiveSecondsForZeroAndRefusesAnOverflowingTime) {
    Simulation sim;
    sim.program().dispatch(
        [&] { sim.program().timedMsgBox.Timed_MsgBox("text", 0, 48, "a title"); });
    sim.program().dispatch(
        [&] { sim.program().timedMsgBox.Timed_MsgBox("text", 3'000'000, 0, "never"); });
    EXPECT_EQ(sim.messages(),
              (std::vector<ShownMessage>{
                  {"a title", "text", MessageIcon::Exclamation, 5000},
                  {"Dorvex Zede", "Run-time error:\r\n\r\nOverflow", MessageIcon::Stop}}));
}

} // namespace
} // namespace dorvex::test

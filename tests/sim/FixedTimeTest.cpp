#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace dorvex::test {
namespace {

const std::string fixedTimeOn = configWith("2", "2", "2", "12300", "1");

const ShownMessage rejected{"Dorvex Zede Set Time Error",
                            "The shutdown time must be a vaild time of the\n"
                            "format 'hh:mm'. The time has not been updated\n"
                            "The original time set has been retained.",
                            MessageIcon::Exclamation};

// Types a time into the box while monitoring runs, and presses Reset.
void enter(Simulation& sim, const std::string& text) {
    sim.main().StopTimeT.text = text;
    sim.click("Reset");
}

TEST(FixedTime, ARejectedEntryKeepsTheSavedTimeThenACorrectOneIsSaved) {
    Simulation sim({.config = fixedTimeOn});
    const std::string original = readFile(sim.folder() / "Data" / "DorvexL.ini");
    for (const std::string typed : {"24:00", "12:60", "7:30", ""}) {
        enter(sim, typed);
        EXPECT_EQ(sim.messages().back(), rejected) << typed;
        EXPECT_EQ(sim.main().StopTimeT.text, "23:00");
        EXPECT_EQ(sim.program().state.settings.StopTime, 12300);
        EXPECT_EQ(readFile(sim.folder() / "Data" / "DorvexL.ini"), original);
    }
    EXPECT_EQ(sim.messages().size(), 4u);
    sim.advanceSeconds(30);
    enter(sim, "00:00");
    EXPECT_EQ(sim.messages().size(), 4u);
    EXPECT_EQ(sim.program().state.settings.StopTime, 10000);
    EXPECT_EQ(sim.main().Title.text, "Power Off if there is no activity for 900 sec or at 00:00");
    const std::string file = readFile(sim.folder() / "Data" / "DorvexL.ini");
    EXPECT_NE(file.find("StopTime=10000\r\n"), std::string::npos);
    EXPECT_NE(file.find("# 07-Dec-26 10:00:30\r\n"), std::string::npos);
}

TEST(FixedTime, WithTheFixedTimeOffOrDuringTheCountdownTheBoxIsNotRead) {
    Simulation off;
    enter(off, "garbage");
    EXPECT_TRUE(off.messages().empty());
    Simulation sim({.arguments = "-StartShutdown", .config = fixedTimeOn});
    sim.advanceSeconds(2 + 3);
    ASSERT_EQ(sim.run().RunMode, RunState::Countdown);
    enter(sim, "bad");
    EXPECT_TRUE(sim.messages().empty());
    EXPECT_EQ(sim.run().RunMode, RunState::StartUpDelay);
}

// The minute comes while the rejection is open: the countdown begins then, and the reset that
// showed the rejection does not cancel it.
TEST(FixedTime, AMinuteThatPassesWhileAMessageIsOpenIsNotLost) {
    Simulation sim({.config = configWith("1", "1", "2", "11001", "1")});
    sim.advanceSeconds(30);
    sim.fake().windows.whileMessageOpen = [&](const ShownMessage&) { sim.advanceSeconds(45); };
    enter(sim, "99:99");
    EXPECT_EQ(sim.messages(), std::vector{rejected});
    EXPECT_EQ(sim.logEvents(), (std::vector<std::string>{"Start/Initialise", "Enter/Run",
                                                         "Reset/Run", "Enter/Power Off"}));
    EXPECT_EQ(sim.main().StatusActA.text, "The Computer Will Power Off In 45s");
}

TEST(FixedTime, AFileBrokenSinceStartUpEndsTheProgramAtARejection) {
    Simulation sim({.config = fixedTimeOn});
    std::ofstream(sim.folder() / "Data" / "DorvexL.ini", std::ios::trunc) << "broken\r\n";
    enter(sim, "99:99");
    ASSERT_EQ(sim.messages().size(), 2u);
    EXPECT_EQ(sim.messages().back().title, "Dorvex Zede Configuration File Error");
    EXPECT_EQ(sim.exitStatus(), 1);
}

} // namespace
} // namespace dorvex::test

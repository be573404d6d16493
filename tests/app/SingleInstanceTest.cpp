#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// Starts another program in the same folder and logon session as `first`.
std::unique_ptr<Simulation> startBeside(Simulation& first, const std::string& arguments = "") {
    return std::make_unique<Simulation>(SimulationOptions{
        .arguments = arguments, .folder = &first.folder(), .session = &first.session()});
}

bool runsMainWindow(Simulation& sim) {
    return sim.program().mainWindow.loaded();
}

TEST(SingleInstance, TheSoleInstanceHoldsTwoHandlesAndASecondStartShowsOnlyTheNotice) {
    Simulation first;
    EXPECT_TRUE(runsMainWindow(first));
    EXPECT_NE(first.program().mdMult.MutexHandle, 0u);
    EXPECT_EQ(first.fake().mutexes.openHandles(), 2u);
    const std::string logBefore = first.logText();
    auto second = startBeside(first);

    EXPECT_FALSE(runsMainWindow(*second));
    const WindowModel* notice = second->fake().windows.window("MultiInst");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->visible);
    EXPECT_TRUE(notice->topmost);
    EXPECT_EQ(notice->caption, "Dorvex Zede Start Up Error");
    EXPECT_EQ(second->program().multiInst.ErrorMess.text,
              "Dorvex Zede or  Dorvex is already\r\nrunning. Only one instance can be running at "
              "a time.");
    EXPECT_TRUE(second->messages().empty());
    EXPECT_TRUE(second->fake().windows.trayRequests().empty());
    EXPECT_EQ(first.logText(), logBefore) << "the notice path writes no log";
    EXPECT_FALSE(first.ended());

    second->fake().windows.events("MultiInst")->click("Exit");
    EXPECT_EQ(second->exitStatus(), 0);
    auto third = startBeside(first);
    third->fake().windows.events("MultiInst")->closeRequested();
    EXPECT_EQ(third->exitStatus(), 0);

    MdMult& guard = first.program().mdMult;
    EXPECT_FALSE(guard.Check_PrevInstance("Dorvex", false)) << "a held handle";
    EXPECT_FALSE(guard.Check_PrevInstance("Dorvex", true));
    EXPECT_EQ(guard.MutexHandle, 0u);
    EXPECT_EQ(first.fake().mutexes.openHandles(), 1u) << "the release closes the held handle only";
}

TEST(SingleInstance, AnAllowMultiStartTakesTheGuardWhenItIsFirstAndAFailedGuardCountsAsNone) {
    Simulation multi({.arguments = "-AllowMulti"});
    EXPECT_NE(multi.program().mdMult.MutexHandle, 0u);
    for (const char* arguments : {"", "-AllowMulti -StartShutdown"}) {
        EXPECT_FALSE(runsMainWindow(*startBeside(multi, arguments))) << "switches: " << arguments;
    }
    multi.session().failCreation = true;
    auto second = startBeside(multi);
    EXPECT_TRUE(runsMainWindow(*second));
    EXPECT_EQ(second->program().mdMult.MutexHandle, 0u);
}

} // namespace
} // namespace dorvex::test

#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

TEST(StartUp, LoadsTheMainWindowWithItsSettings) {
    Simulation sim(
        {.arguments = "-IncreaseCPULevel", .config = configWith("1", "2", "2", "12200", "5")});
    ASSERT_FALSE(sim.ended());
    const ProgramState& state = sim.program().state;
    EXPECT_EQ(sim.mainWindow().caption, "Dorvex Zede");
    EXPECT_EQ(state.SwitchCode, 9);
    EXPECT_EQ(state.LogDir, "Log/");
    EXPECT_FALSE(state.run.AboutOpen);
    EXPECT_EQ(state.settings.CPUOn, 1);
    EXPECT_EQ(state.settings.StopTime, 12200);
    EXPECT_EQ(state.settings.ShutType, 5);
    EXPECT_EQ(sim.program().mainWindow.StopTimeT.text, "22:00");
    EXPECT_EQ(sim.fake().priority.threadRaises, 1);
    EXPECT_EQ(sim.fake().priority.processRaises, 1);
}

TEST(StartUp, AnUnexpectedErrorEndsTheProgramWithAReport) {
    Simulation sim;
    sim.program().dispatch([] { throw std::runtime_error("disk on fire"); });
    ASSERT_EQ(sim.messages().size(), 1u);
    EXPECT_EQ(sim.messages().front().text, "Run-time error:\r\n\r\ndisk on fire");
    EXPECT_EQ(sim.exitStatus(), 1);
}

TEST(StartUp, AnEndWhileABoxIsOpenGoesOnAfterTheBox) {
    Simulation sim;
    sim.fake().windows.whileMessageOpen = [&](const ShownMessage&) {
        sim.program().dispatch([&] { sim.program().endProcess(0); });
    };
    bool afterBox = false;
    sim.program().dispatch([&] {
        sim.program().messageBox("title", "text", MessageIcon::None);
        afterBox = true;
    });
    EXPECT_FALSE(afterBox);
    EXPECT_EQ(sim.exitStatus(), 0);
    bool ran = false;
    sim.program().dispatch([&] { ran = true; });
    EXPECT_FALSE(ran) << "no event runs after the end";
}

} // namespace
} // namespace dorvex::test

#include "app/SwitchCode.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <utility>

namespace dorvex::test {
namespace {

TEST(StartUp, LoadsTheMainWindowWithItsSettings) {
    Simulation sim(
        {.arguments = "-IncreaseCPULevel", .config = configWith("1", "2", "2", "12200", "5")});
    ASSERT_FALSE(sim.ended());
    EXPECT_EQ(sim.mainWindow().caption, "Dorvex Zede");
    EXPECT_EQ(sim.program().mainWindow.StopTimeT.text, "22:00");
    EXPECT_EQ(sim.fake().priority.threadRaises, 1);
    EXPECT_EQ(sim.fake().priority.processRaises, 1);
}

TEST(StartUp, AnUnexpectedErrorEndsTheProgramWithAReport) {
    const std::pair<std::function<void(Simulation&)>, std::string> cases[] = {
        {[](Simulation& sim) {
             sim.program().dispatch([] { throw std::runtime_error("disk on fire"); });
         },
         "disk on fire"},
        // A name that no control has is a mistake in the program, not a click to ignore.
        {[](Simulation& sim) { sim.click("Rest"); }, "DorvexLMain has no control Rest"},
        {[](Simulation& sim) { sim.fake().windows.events("DorvexLMain")->timer("tmrRefrsh"); },
         "DorvexLMain has no control tmrRefrsh"},
        {[](Simulation& sim) { sim.fake().windows.events("DorvexLMain")->menuChosen("mPopUpExt"); },
         "DorvexLMain has no menu item mPopUpExt"},
    };
    for (const auto& [event, error] : cases) {
        Simulation sim;
        event(sim);
        ASSERT_EQ(sim.messages().size(), 1u) << error;
        EXPECT_EQ(sim.messages().front().text, "Run-time error:\r\n\r\n" + error);
        EXPECT_EQ(sim.exitStatus(), 1);
    }
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

TEST(CommandLine, GivesTheSwitchAndTheMultipleInstanceFlag) {
    const std::tuple<std::string, std::int16_t, bool> cases[] = {
        {"", 0, false},
        {"-InhibitShutdown", 1, false},
        {"-StartShutdown", 2, false},
        {"-InhibitAdmin", 4, false},
        {"-ShortUpdateTime", 5, false},
        {"-InhibitUpdate", 6, false},
        {"-InhibitUpdateAndMore", 6, false},
        {"-LowerVersion", 7, false},
        {"-HigherVersion", 8, false},
        {"-IncreaseCPULevel", 9, false},
        {"-inhibitshutdown", 0, false},
        {" -InhibitShutdown", 0, false},
        {"-AllowMulti", 0, true},
        {"-AllowMulti ", 0, false},
        {"-StartShutdown -AllowMulti", 2, true},
        {"-AllowMulti -StartShutdown", 0, false}};
    for (const auto& [arguments, switchCode, allowMulti] : cases) {
        EXPECT_EQ(readSwitchCode(arguments), switchCode) << arguments;
        EXPECT_EQ(allowsMultipleInstances(arguments), allowMulti) << arguments;
    }
}

} // namespace
} // namespace dorvex::test

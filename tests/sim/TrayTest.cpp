#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

TEST(Tray, ARightClickOpensTheMenuAndOtherMouseEventsDoNothing) {
    Simulation sim;
    for (const int code : {0x0200, 0x0201, 0x0202, 0x0205}) {
        sim.fake().windows.events("DorvexLMain")->trayMouse(code);
    }
    EXPECT_FALSE(sim.mainWindow().visible);
    EXPECT_TRUE(sim.fake().windows.menusShown.empty());
    sim.fake().windows.events("DorvexLMain")->trayMouse(0x0204);
    EXPECT_EQ(sim.fake().windows.menusShown.back(),
              (Strings{"About Dorvex Zede", "-", "Reset", "Restore", "Test", "Update", "-",
                       "Close Dorvex Zede"}));
    EXPECT_EQ(sim.fake().windows.foregroundRequests, 0) << "a window in the tray stays there";
}

TEST(Tray, MinimiseHidesTheWindowAndADoubleClickOrRestoreBringsItBack) {
    Simulation sim;
    sim.doubleClickTray();
    EXPECT_TRUE(sim.mainWindow().visible && !sim.mainWindow().topmost);
    EXPECT_EQ(sim.mainWindow().state, WindowState::Normal);
    EXPECT_TRUE(sim.main().mPopUpMin.visible && !sim.main().mPopUpRestore.visible);
    sim.chooseFromTray("mPopUpMin");
    EXPECT_FALSE(sim.mainWindow().visible);
    EXPECT_EQ(sim.mainWindow().state, WindowState::Minimised);
    EXPECT_TRUE(sim.main().mPopUpRestore.visible && !sim.main().mPopUpMin.visible);
    sim.chooseFromTray("mPopUpRestore");
    EXPECT_TRUE(sim.mainWindow().visible);
    sim.mainWindow().state = WindowState::Minimised; // by the user
    sim.fake().windows.events("DorvexLMain")->stateChanged();
    EXPECT_FALSE(sim.mainWindow().visible);
    EXPECT_TRUE(sim.main().mPopUpRestore.visible);
    EXPECT_TRUE(sim.program().state.SkipForeground);
}

// A popup menu held open stops nothing: the run goes on exactly as without it, and an item that a
// countdown disabled while the menu was open does nothing.
TEST(Tray, AMenuHeldOpenStopsNothing) {
    struct Case {
        const char* name;
        int before; // seconds
        int heldMs;
        std::string choice;
    };
    for (const Case& c :
         {Case{"over the idle limit", 0, 10'000, ""}, Case{"across the countdown", 9, 4'000, ""},
          Case{"over the whole cycle", 1, 30'000, ""},
          Case{"an item disabled meanwhile", 0, 10'000, "mPopUpExit"}}) {
        SCOPED_TRACE(c.name);
        Simulation held({.arguments = "-InhibitShutdown"});
        Simulation reference({.arguments = "-InhibitShutdown"});
        held.advanceSeconds(c.before);
        held.fake().windows.menuOpenForMs = c.heldMs;
        held.chooseFromTray(c.choice);
        reference.advanceSeconds(c.before + c.heldMs / 1000);
        EXPECT_EQ(held.logText(), reference.logText());
        EXPECT_EQ(held.main().StatusActA.text, reference.main().StatusActA.text);
        EXPECT_EQ(held.exitStatus(), reference.exitStatus());
    }
}

TEST(Tray, WithoutATrayTheWindowStaysMinimisedInTheTaskBar) {
    Simulation sim({.trayHost = false});
    EXPECT_TRUE(sim.mainWindow().visible);
    EXPECT_EQ(sim.mainWindow().state, WindowState::Minimised);
    sim.fake().windows.events("DorvexLMain")->stateChanged();
    EXPECT_TRUE(sim.mainWindow().visible);
}

} // namespace
} // namespace dorvex::test

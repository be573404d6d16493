#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

using Strings = std::vector<std::string>;

TEST(Tray, ADoubleClickShowsTheWindowCentred) {
    Simulation sim;
    sim.doubleClickTray();
    const WindowModel& window = sim.mainWindow();
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(window.state, WindowState::Normal);
    EXPECT_FALSE(window.topmost);
    EXPECT_EQ(window.left, (19200 - 5970) / 2);
    EXPECT_EQ(window.top, (10800 - 2010) / 2);
    EXPECT_FALSE(sim.main().mPopUpRestore.visible);
    EXPECT_TRUE(sim.main().mPopUpMin.visible);
    EXPECT_TRUE(sim.program().state.SkipForeground);
}

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
    sim.doubleClickTray();
    sim.fake().windows.events("DorvexLMain")->trayMouse(0x0204);
    EXPECT_EQ(sim.fake().windows.foregroundRequests, 0) << "nor does a shown one";
    sim.mainWindow().state = WindowState::Maximised;
    sim.fake().windows.events("DorvexLMain")->stateChanged();
    EXPECT_FALSE(sim.program().state.SkipForeground);
    sim.fake().windows.events("DorvexLMain")->trayMouse(0x0204);
    EXPECT_EQ(sim.fake().windows.foregroundRequests, 1) << "a maximised one comes forward";
}

TEST(Tray, MinimiseHidesTheWindowAndRestoreBringsItBack) {
    Simulation sim;
    sim.chooseFromTray("mPopUpRestore");
    ASSERT_TRUE(sim.mainWindow().visible);
    sim.chooseFromTray("mPopUpMin");
    EXPECT_FALSE(sim.mainWindow().visible);
    EXPECT_EQ(sim.mainWindow().state, WindowState::Minimised);
    EXPECT_TRUE(sim.main().mPopUpRestore.visible);
    EXPECT_FALSE(sim.main().mPopUpMin.visible);
    EXPECT_EQ(sim.fake().windows.trayRequests().back(), "add activate (failed)")
        << "the icon exists already";
    sim.chooseFromTray("mPopUpRestore");
    EXPECT_TRUE(sim.mainWindow().visible);
    sim.mainWindow().state = WindowState::Minimised; // by the user
    sim.fake().windows.events("DorvexLMain")->stateChanged();
    EXPECT_FALSE(sim.mainWindow().visible);
    EXPECT_TRUE(sim.main().mPopUpRestore.visible);
    EXPECT_TRUE(sim.program().state.SkipForeground);
}

TEST(Tray, DuringTheCountdownTheWindowIsOnTopAndTheMenuBringsItForward) {
    Simulation sim({.arguments = "-StartShutdown"});
    sim.advanceSeconds(2 + 3);
    ASSERT_EQ(sim.run().RunMode, 2);
    EXPECT_TRUE(sim.mainWindow().visible);
    EXPECT_TRUE(sim.mainWindow().topmost);
    sim.doubleClickTray();
    EXPECT_TRUE(sim.mainWindow().topmost);
    EXPECT_FALSE(sim.program().state.SkipForeground);
    sim.fake().windows.events("DorvexLMain")->trayMouse(0x0204);
    EXPECT_EQ(sim.fake().windows.foregroundRequests, 1);
}

TEST(Tray, AnUnknownStateWordKeepsThePicture) {
    Simulation sim;
    sim.program().dispatch([&] { sim.program().tray.Set_TrayIcon("activity"); });
    EXPECT_EQ(sim.fake().windows.trayRequests().back(), "modify activate");
}

TEST(Tray, WithoutATrayTheWindowStaysMinimisedInTheTaskBar) {
    TempFolder folder;
    folder.write("Data/DorvexL.ini", defaultConfig());
    std::filesystem::create_directory(folder.path() / "Log");
    FakeMutexRegistry session;
    FakePlatform fake(folder.path(), session, {2026, 12, 7, 10, 0, 0});
    fake.windows.trayHost = false;
    Platform platform = fake.platform();
    Program program(platform);
    program.start("");
    EXPECT_TRUE(program.mainWindow.model().visible);
    EXPECT_EQ(program.mainWindow.model().state, WindowState::Minimised);
    fake.windows.events("DorvexLMain")->stateChanged();
    EXPECT_TRUE(program.mainWindow.model().visible);
}

} // namespace
} // namespace dorvex::test

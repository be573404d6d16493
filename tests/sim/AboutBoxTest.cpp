#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

TEST(AboutBox, ShowsNameAndVersionAndCountsDownWhileMonitoringPauses) {
    Simulation sim;
    sim.advanceSeconds(2 + 10);
    const std::int16_t quiet = sim.run().PhaseSeconds;
    sim.chooseFromTray("mPopUpAbout");
    FrmAbout& about = sim.program().aboutBox;
    ASSERT_TRUE(about.loaded() && about.model().visible);
    EXPECT_EQ(about.model().caption, "About Dorvex Zede");
    EXPECT_EQ(about.ProgName.text, "Dorvex Zede");
    EXPECT_EQ(about.ProgVersion.text, "Version 5.5");
    EXPECT_EQ(about.TMessage.text, "");
    EXPECT_TRUE(sim.run().AboutOpen);
    for (const Control* off : {&sim.main().About, &sim.main().Reset, &sim.main().TestS}) {
        EXPECT_FALSE(off->enabled) << off->name;
    }
    sim.advanceSeconds(1);
    EXPECT_EQ(about.TMessage.text, "About will close in 60 sec");
    sim.advanceSeconds(59);
    EXPECT_EQ(about.TMessage.text, "About will close in 1 sec");
    EXPECT_TRUE(about.loaded());
    EXPECT_EQ(sim.run().PhaseSeconds, quiet);
    EXPECT_EQ(sim.run().RunMode, RunState::Monitoring);
    sim.advanceSeconds(1);
    EXPECT_FALSE(about.loaded() || sim.run().AboutOpen);
    EXPECT_TRUE(sim.main().About.enabled && sim.main().Reset.enabled && sim.main().TestS.enabled);
    sim.advanceSeconds(1);
    EXPECT_EQ(sim.run().PhaseSeconds, quiet + 1);
}

TEST(AboutBox, OpenedDuringTheCountdownLeavesCancelWithTheButton) {
    Simulation sim({.arguments = "-StartShutdown"});
    sim.advanceSeconds(2 + 3 + 5);
    ASSERT_EQ(sim.run().RunMode, RunState::Countdown);
    sim.program().dispatch([&] { sim.main().About_Click(); });
    EXPECT_TRUE(sim.main().Reset.enabled);
    EXPECT_FALSE(sim.main().mPopUpCancel.enabled);
    const std::string caption = sim.main().StatusActA.text;
    sim.advanceSeconds(3);
    EXPECT_EQ(sim.main().StatusActA.text, caption) << "the countdown waits";
    sim.click("ExitAbout", "frmAbout");
    EXPECT_TRUE(sim.main().mPopUpCancel.enabled);
}

TEST(AboutBox, TheWebSiteOpensTheHomePageExitGivesTheCommandsBackAndTheProgramsEndClosesIt) {
    Simulation sim;
    sim.click("About");
    sim.click("WebSite", "frmAbout");
    EXPECT_EQ(sim.fake().windows.openedUrls, Strings{"http://kemtora.example/"});
    sim.fake().windows.openUrlFails = true;
    sim.click("Logo");
    EXPECT_EQ(sim.messages(),
              (std::vector<ShownMessage>{
                  {"Dorvex Zede Error", "Unable to launch Browser.", MessageIcon::None}}));
    sim.click("ExitAbout", "frmAbout");
    EXPECT_FALSE(sim.run().AboutOpen);
    EXPECT_TRUE(sim.main().About.enabled && sim.main().mPopUpReset.enabled &&
                sim.main().mPopUpTest.enabled);

    // Exiting the program with the box open closes it.
    sim.click("About");
    sim.chooseFromTray("mPopUpExit");
    EXPECT_FALSE(sim.program().aboutBox.loaded() || sim.run().AboutOpen);
    EXPECT_EQ(sim.logEvents().back(), "Exit/Initialise");
    EXPECT_FALSE(sim.fake().windows.trayShown());
    EXPECT_EQ(sim.exitStatus(), 0);
}

} // namespace
} // namespace dorvex::test

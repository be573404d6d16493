#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

// The log's failures; the whole log of a check is in the update scenarios.
class UpdaterLogTest : public ::testing::Test {
protected:
    fs::path file(const char* name) const { return sim.folder() / "Log" / name; }
    void run(void (UpdaterLog::*step)()) {
        sim.program().dispatch([&] { (sim.program().updaterLog.*step)(); });
    }
    ShownMessage error(const std::string& title, const std::string& action) {
        return {title,
                "Unable to " + action +
                    " the log file Updater.log.\r\nThis may be a permissions problem.\r\nThe "
                    "program will now terminate.",
                MessageIcon::Exclamation};
    }

    Simulation sim;
};

TEST_F(UpdaterLogTest, AMissingLogFolderEndsTheProgram) {
    fs::remove_all(sim.folder() / "Log");
    run(&UpdaterLog::Init_UpdaterLog);
    ASSERT_EQ(sim.messages().size(), 1u);
    EXPECT_EQ(sim.messages()[0].title, "Dorvex Zede log Directory Error");
    EXPECT_EQ(sim.exitStatus(), 1);
}

TEST_F(UpdaterLogTest, ALogThatCannotBeCreatedEndsTheProgramKeepingTheTrayIcon) {
    fs::create_directory(file("Updater.log"));
    run(&UpdaterLog::Init_UpdaterLog);
    EXPECT_EQ(sim.messages(), std::vector{error("Updater Log File Error", "create")});
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_TRUE(sim.fake().windows.trayShown());
    EXPECT_FALSE(sim.main().tmrRefresh.enabled);
}

TEST_F(UpdaterLogTest, ALogThatCannotBeWrittenEndsTheProgramKeepingTheTrayIcon) {
    std::ofstream(file("LogOn.txt")) << "on";
    run(&UpdaterLog::Init_UpdaterLog);
    fs::permissions(file("Updater.log"), fs::perms::owner_read | fs::perms::others_read);
    const ShownMessage expected = error("Updater Log File Write Error", "write to");
    DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
        sim.program().dispatch([&] { sim.program().updaterLog.Write_UpdaterLog("text"); });
        return sim.messages() == std::vector{expected} && sim.exitStatus() == 1 &&
               sim.fake().windows.trayShown();
    }()));
}

} // namespace
} // namespace dorvex::test

#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

class UpdaterLogTest : public ::testing::Test {
protected:
    UpdaterLog& log() { return sim.program().updaterLog; }
    fs::path file(const char* name) const { return sim.folder() / "Log" / name; }
    void switchOn() const { std::ofstream(file("LogOn.txt")) << "anything"; }
    void run(const std::function<void()>& body) { sim.program().dispatch(body); }

    Simulation sim;
};

TEST_F(UpdaterLogTest, CreationWritesTheHeaderOnce) {
    sim.fake().clock.setNow({2026, 12, 5, 7, 45, 3});
    run([&] { log().Init_UpdaterLog(); });
    const std::string header =
        "Updater\r\nVersion 5.5\r\nFile Created\r\n05-Dec-26 07:45:03\r\n\r\n\r\n";
    EXPECT_EQ(readFile(file("Updater.log")), header);
    run([&] { log().Init_UpdaterLog(); });
    EXPECT_EQ(readFile(file("Updater.log")), header);
}

TEST_F(UpdaterLogTest, WritesOnlyWhileSwitchedOn) {
    run([&] { log().Write_UpdaterLog("not written"); });
    EXPECT_FALSE(fs::exists(file("Updater.log")));
    EXPECT_FALSE(sim.ended());

    switchOn();
    run([&] {
        log().Init_UpdaterLog();
        log().Write_UpdaterLog("one");
        log().Write_UpdaterLog("two\r\n");
    });
    EXPECT_TRUE(readFile(file("Updater.log")).ends_with("\r\n\r\none\r\ntwo\r\n\r\n"));
    EXPECT_TRUE(sim.messages().empty());
}

TEST_F(UpdaterLogTest, AMissingLogWhileSwitchedOnEndsTheProgram) {
    switchOn();
    run([&] { log().Write_UpdaterLog("text"); });
    ASSERT_EQ(sim.messages().size(), 1u);
    EXPECT_EQ(sim.messages()[0],
              (ShownMessage{"Dorvex Zede Log File Error",
                            "The log file is either missing\r\nor corrupted. Reinstall the "
                            "program\r\nto restore the file.\r\nThe program will now terminate.",
                            MessageIcon::Stop}));
    EXPECT_EQ(sim.exitStatus(), 1);
}

TEST_F(UpdaterLogTest, AMissingLogFolderEndsTheProgram) {
    fs::remove_all(sim.folder() / "Log");
    run([&] { log().Init_UpdaterLog(); });
    ASSERT_EQ(sim.messages().size(), 1u);
    EXPECT_EQ(sim.messages()[0].title, "Dorvex Zede log Directory Error");
    EXPECT_EQ(sim.exitStatus(), 1);
}

TEST_F(UpdaterLogTest, ALogThatCannotBeCreatedEndsTheProgramKeepingTheTrayIcon) {
    fs::create_directory(file("Updater.log"));
    run([&] { log().Init_UpdaterLog(); });
    EXPECT_EQ(sim.messages(),
              (std::vector<ShownMessage>{{"Updater Log File Error",
                                          "Unable to create the log file Updater.log.\r\nThis "
                                          "may be a permissions problem.\r\nThe program will "
                                          "now terminate.",
                                          MessageIcon::Exclamation}}));
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_TRUE(sim.fake().windows.trayShown());
    EXPECT_FALSE(sim.main().tmrRefresh.enabled);
}

TEST_F(UpdaterLogTest, ALogThatCannotBeWrittenEndsTheProgramKeepingTheTrayIcon) {
    switchOn();
    run([&] { log().Init_UpdaterLog(); });
    fs::permissions(file("Updater.log"), fs::perms::owner_read | fs::perms::others_read);
    const ShownMessage expected{"Updater Log File Write Error",
                                "Unable to write to the log file Updater.log.\r\nThis may be a "
                                "permissions problem.\r\nThe program will now terminate.",
                                MessageIcon::Exclamation};
    DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
        run([&] { log().Write_UpdaterLog("text"); });
        return sim.messages() == std::vector{expected} && sim.exitStatus() == 1 &&
               sim.fake().windows.trayShown();
    }()));
}

} // namespace
} // namespace dorvex::test

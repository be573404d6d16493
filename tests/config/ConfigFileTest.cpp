#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

const ShownMessage configurationMissing{"Dorvex Zede Configuration File Error",
                                        "The configuration file is either missing\r\n"
                                        "or corrupted. Reinstall the program\r\n"
                                        "to restore the file.\r\n"
                                        "The program will now terminate.",
                                        MessageIcon::Stop};

const ShownMessage readError{"Dorvex Zede Configuration File Read Error",
                             "Unable to read the configuration file.\r\n"
                             "This may be a permissions problem.\r\n"
                             "The program will now terminate.",
                             MessageIcon::Exclamation};

// Ends after exactly this one message, with status 1, the tray icon removed and no log written.
void expectFatalEnd(const Simulation& sim, const ShownMessage& message) {
    EXPECT_EQ(sim.messages(), std::vector{message});
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_EQ(sim.fake().windows.trayRequests().back(), "delete (failed)");
    EXPECT_FALSE(fs::exists(sim.folder() / "Log" / "DorvexL.log"));
}

TEST(ConfigFile, AMissingFileOrAFolderInItsPlaceEndsTheProgram) {
    Simulation sim({.config = std::nullopt});
    expectFatalEnd(sim, configurationMissing);
    fs::create_directories(sim.folder() / "Data" / "DorvexL.ini");
    expectFatalEnd(Simulation({.folder = &sim.folder()}), configurationMissing);
}

TEST(ConfigFile, UnreadableFileEndsWithTheReadError) {
    TempFolder folder;
    folder.write("Data/DorvexL.ini", defaultConfig());
    fs::create_directories(folder.path() / "Log");
    fs::permissions(folder.path() / "Data" / "DorvexL.ini", fs::perms::none);
    DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
        Simulation sim({.folder = &folder.path()});
        return sim.messages() == std::vector{readError} && sim.exitStatus() == 1;
    }()));
}

// Runs the writer as the program would, as one event.
void writeConfig(Simulation& sim) {
    sim.program().dispatch([&] { sim.program().configFile.Config_Write(); });
}

TEST(ConfigFile, WriterReplacesTheWholeFile) {
    Simulation sim({.config = configWith("2", "2", "2", "12300", "1") + "# old comment\r\n"});
    sim.program().state.settings.StopTime = 10730;
    sim.advanceSeconds(65);
    writeConfig(sim);
    EXPECT_TRUE(sim.messages().empty());
    EXPECT_EQ(readFile(sim.folder() / "Data" / "DorvexL.ini"),
              "# Dorvex Zede Version 5.5\r\n# Configuration File\r\n# 07-Dec-26 10:01:05\r\n\r\n"
              "[Run]\r\nCPUOn=2\r\nKMOn=2\r\nStopOn=2\r\nStopTime=10730\r\n\r\n"
              "[Shutdown]\r\nShutType=1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(sim.folder() / "Data"), {}), 1)
        << "no temporary file may stay behind";
}

// A file that may not be written, or a folder that takes no new file beside it (one an
// administrator locked): the file stays whole and nothing else is left in the folder.
TEST(ConfigFile, WriterFailureKeepsTheOldFileAndTheProgramGoesOn) {
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    const struct {
        fs::perms file, data;
    } cases[] = {
        {readOnly, fs::perms::all},
        {fs::perms::all,
         readOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string original = configWith("2", "2", "2", "12300", "1");
        folder.write("Data/DorvexL.ini", original);
        fs::create_directories(folder.path() / "Log");
        fs::permissions(folder.path() / "Log", fs::perms::all);
        fs::permissions(folder.path() / "Data" / "DorvexL.ini", c.file);
        fs::permissions(folder.path() / "Data", c.data);
        DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
            Simulation sim({.folder = &folder.path()});
            sim.program().state.settings.StopTime = 10730;
            writeConfig(sim);
            const ShownMessage expected{"Dorvex Zede Configuration File Error",
                                        "Unable to write to the configuration file. DorvexL.ini\r\n"
                                        "This may be a permissions problem.",
                                        MessageIcon::Exclamation};
            return sim.messages() == std::vector{expected} && !sim.ended() &&
                   readFile(folder.path() / "Data" / "DorvexL.ini") == original &&
                   std::distance(fs::directory_iterator(folder.path() / "Data"), {}) == 1;
        }()))
            << (c.file == readOnly ? "read-only file" : "locked folder");
    }
}

// A rewrite stopped halfway (a crash, a power cut) left its new file beside the settings: the
// next start removes it.
TEST(ConfigFile, AStartRemovesWhatAStoppedRewriteLeft) {
    TempFolder folder;
    folder.write("Data/DorvexL.ini", defaultConfig());
    folder.write("Data/DorvexL.ini.new-2147483647-0", "[Run]\r\nCPUOn=");
    fs::create_directories(folder.path() / "Log");
    Simulation sim({.folder = &folder.path()});
    EXPECT_TRUE(sim.messages().empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "Data"), {}), 1);
}

TEST(ConfigFile, WriterNeedsTheFileToExist) {
    Simulation sim;
    fs::remove(sim.folder() / "Data" / "DorvexL.ini");
    writeConfig(sim);
    EXPECT_EQ(sim.messages(), std::vector{configurationMissing});
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_FALSE(fs::exists(sim.folder() / "Data" / "DorvexL.ini"));
}

} // namespace
} // namespace dorvex::test

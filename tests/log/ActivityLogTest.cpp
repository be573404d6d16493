#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const Lines startBlock{"",
                       "",
                       "Dorvex Zede",
                       "Version 5.5",
                       "07-Dec-26",
                       "",
                       "10:00:00, Start     , Initialise, Count:     2"};

void writeLog(Simulation& sim, std::string_view event, std::string_view state) {
    sim.program().dispatch([&] { sim.program().activityLog.Write_Log(1, event, state); });
}

TEST(ActivityLog, FirstStartWritesTheHeaderThenTheStartBlockALaterOneOnlyTheBlock) {
    Simulation first;
    Lines expected{"Dorvex Zede", "Version 5.5", "File Created", "07-Dec-26 10:00:00"};
    expected.insert(expected.end(), startBlock.begin(), startBlock.end());
    EXPECT_EQ(first.logLines(), expected);
    Simulation second({.folder = &first.folder()});
    expected.insert(expected.end(), startBlock.begin(), startBlock.end());
    EXPECT_EQ(second.logLines(), expected);
}

TEST(ActivityLog, AnEntryAtMidnightFollowsTheDaySeparator) {
    // Monitoring begins, and logs it, on the second tick: here at midnight.
    Simulation sim({.start = {2026, 12, 7, 23, 59, 58}});
    sim.advanceSeconds(2);
    writeLog(sim, "Reset", "Run");
    sim.advanceSeconds(1);
    writeLog(sim, "Reset", "Run");
    const Lines lines = sim.logLines();
    // Every entry of the second 00:00:00 has its separator; the next second's has none.
    const auto& sent = sim.fake().systemLog.entries;
    EXPECT_EQ(sent[sent.size() - 2].message, "00:00:00, Reset     , Run       , Count:     0");
    const Lines tail(lines.end() - 9, lines.end());
    EXPECT_EQ(tail,
              (Lines{"", "08-Dec-26", "---------", "00:00:00, Enter     , Run       , Count:     0",
                     "", "08-Dec-26", "---------", "00:00:00, Reset     , Run       , Count:     0",
                     "00:00:01, Reset     , Run       , Count:     1"}));
}

const ShownMessage missingLog{"Dorvex Zede Log File Error",
                              "The log file is either missing or\r\n"
                              "corrupted. Delete the log file if\r\n"
                              "it exists and restart the program.\r\n"
                              "The program will now terminate.",
                              MessageIcon::Exclamation};

TEST(ActivityLog, ALogDeletedWhileRunningEndsTheProgramAtTheNextEntry) {
    Simulation sim;
    sim.program().mainWindow.tmrRefresh.setTimerEnabled(true);
    fs::remove(sim.folder() / "Log" / "DorvexL.log");
    // The system's log has the entry before the box ends the program.
    std::string sentBeforeTheBox;
    sim.fake().windows.whileMessageOpen = [&](const ShownMessage&) {
        sentBeforeTheBox = sim.fake().systemLog.entries.back().event;
    };
    writeLog(sim, "Reset", "Run");
    EXPECT_EQ(sentBeforeTheBox, "Reset");
    ASSERT_EQ(sim.messages().size(), 1u);
    EXPECT_EQ(sim.messages().front(), missingLog);
    EXPECT_FALSE(sim.program().mainWindow.tmrRefresh.enabled);
    EXPECT_EQ(sim.exitStatus(), 1);
    EXPECT_FALSE(fs::exists(sim.folder() / "Log" / "DorvexL.log")) << "nothing may recreate it";
}

TEST(ActivityLog, ALogFolderMissingAtStartOrRemovedLaterEndsTheProgram) {
    const ShownMessage missing{
        "Dorvex Zede Log Directory Error",
        "The Log directory does not exist.\r\nTo restore the Log directory\r\n"
        "reinstall the program.\r\nThe program will now terminate.",
        MessageIcon::Stop};
    Simulation atStart({.logFolder = false});
    Simulation later;
    fs::remove_all(later.folder() / "Log");
    writeLog(later, "Reset", "Run");
    EXPECT_EQ(later.fake().systemLog.entries.back().event, "Reset");
    for (const Simulation* sim : {&atStart, &later}) {
        EXPECT_EQ(sim->messages(), std::vector{missing});
        EXPECT_EQ(sim->exitStatus(), 1);
    }
}

ShownMessage writeError(const std::string& action) {
    return {"Dorvex Zede Log File Write Error",
            "Unable to " + action +
                " the log file DorvexL.log.\r\nThis may be a permissions problem.\r\n"
                "The program will now terminate.",
            MessageIcon::Exclamation};
}

// A log the user may not create, or may not write to, found at start-up.
TEST(ActivityLog, ALogThatCannotBeCreatedOrWrittenEndsTheProgram) {
    for (const bool created : {false, true}) {
        Simulation first; // an administrator's run, which leaves a log behind
        const fs::path log = first.folder() / "Log" / "DorvexL.log";
        if (!created) {
            fs::remove(log);
        }
        fs::permissions(created ? log : log.parent_path(),
                        fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
        DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
            Simulation sim({.folder = &first.folder()});
            return sim.messages() == std::vector{writeError(created ? "write to" : "create")} &&
                   sim.exitStatus() == 1;
        }()));
    }
}

// A log folder that may no longer be searched hides the log: that is a permissions problem, not
// a missing log.
TEST(ActivityLog, ALogFolderThatMayNotBeSearchedIsAPermissionsProblem) {
    Simulation first;
    const fs::path log = first.folder() / "Log";
    fs::permissions(log / "DorvexL.log", fs::perms::all);
    ASSERT_EQ(std::system(("chown 65534:65534 '" + log.string() + "'").c_str()), 0);
    DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
        Simulation sim({.folder = &first.folder()});
        fs::permissions(log, fs::perms::none);
        sim.click("Reset");
        return sim.messages() == std::vector{writeError("write to")} && sim.exitStatus() == 1;
    }()));
}

} // namespace
} // namespace dorvex::test

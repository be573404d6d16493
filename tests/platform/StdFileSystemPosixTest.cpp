// What only a POSIX system has: file modes and size limits, pipes, links, a user to become and a
// process to stop at any system call.
#include "tests/platform/StdFileSystemTest.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <set>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

TEST_F(StdFileSystemTest, ReadsNoPipe) {
    ASSERT_EQ(::mkfifo((folder.path() / "pipe").c_str(), 0600), 0);
    EXPECT_THROW(files.readLines("pipe"), FileError) << "a pipe would never end";
}

// Replacing keeps the file's mode.
TEST_F(StdFileSystemTest, ReplacesKeepingTheMode) {
    const auto mode = fs::perms::owner_read | fs::perms::owner_write;
    folder.write("c.ini", "old");
    fs::permissions(folder.path() / "c.ini", mode);
    files.replace("c.ini", "new");
    EXPECT_EQ(fs::status(folder.path() / "c.ini").permissions(), mode);
}

// A file-size limit cuts an append short as a full disk does: the entry must go entirely.
TEST_F(StdFileSystemTest, AnAppendCutShortLeavesNoPartOfTheEntry) {
    for (const rlim_t limit : {rlim_t{5}, rlim_t{8}}) {
        folder.write("a.log", "one\r\n");
        EXPECT_EXIT(
            {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit size{};
                size.rlim_cur = size.rlim_max = limit;
                ::setrlimit(RLIMIT_FSIZE, &size);
                try {
                    files.append("a.log", "two\r\n");
                } catch (const FileError&) {
                    std::exit(folder.read("a.log") == "one\r\n" ? 0 : 1);
                }
                std::exit(2);
            },
            testing::ExitedWithCode(0), "")
            << "limit " << limit;
    }
}

// As an unprivileged user, for whom a read-only folder holds. Each case starts from c.ini "old"
// and keep "keep" and changes them with a shell command; a folder that takes no new file keeps
// the old text.
TEST_F(StdFileSystemTest, ReplacesThroughNoPlantedLinkAndNotInAReadOnlyFolder) {
    const std::array<const char*, 4> cases[] = {
        {"temporary name planted as a link", "ln -s keep c.ini.new-$PPID-0", "c.ini", "new"},
        {"file is a link", "mv c.ini real.ini && ln -s real.ini c.ini", "real.ini", "new"},
        {"read-only folder", "chmod 500 .", "c.ini", "old"},
    };
    for (const auto& [what, arrange, rewritten, text] : cases) {
        DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
            const fs::path dir = folder.path() / what;
            folder.write(std::string(what) + "/c.ini", "old");
            folder.write(std::string(what) + "/keep", "keep");
            const std::string command = "cd '" + dir.string() + "' && " + arrange;
            const auto entries = [&] { return std::distance(fs::directory_iterator(dir), {}); };
            const auto before = std::system(command.c_str()) == 0 ? entries() : -1;
            bool failed = false;
            try {
                StdFileSystem(dir).replace("c.ini", "new");
            } catch (const FileError&) {
                failed = true;
            }
            return failed == (std::string(text) == "old") && readFile(dir / rewritten) == text &&
                   readFile(dir / "keep") == "keep" && entries() == before;
        }()))
            << what;
    }
}

// Runs `work` in a child process as an unprivileged user, and kills it with SIGKILL, as a crash
// or a power cut would stop it, before it makes its `call`-th system call. The status the work
// ended with; nothing when it was killed.
std::optional<int> statusUnlessKilledBeforeCall(int call, const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        dropPrivileges();
        ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        ::raise(SIGSTOP);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(child, &status, 0); // stopped before its work
    ::ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    int signal = 0;
    for (int stops = 0;;) {
        ::ptrace(PTRACE_SYSCALL, child, nullptr, signal);
        if (::waitpid(child, &status, 0) != child || !WIFSTOPPED(status)) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        signal = WSTOPSIG(status) == (SIGTRAP | 0x80) ? 0 : WSTOPSIG(status);
        // The stops at a call's entry and at its return alternate.
        if (signal == 0 && ++stops == 2 * call - 1) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return std::nullopt;
        }
    }
}

// Stopped before each of its system calls in turn, a replacement leaves the old text or the new,
// whole, and in a folder that takes no new file the old one; it fails there. What it left
// beside the file goes at the next start.
TEST_F(StdFileSystemTest, AReplacementStoppedAtAnyStepLeavesTheOldOrTheNewTextWhole) {
    const std::string oldText = "[Run]\r\nCPUOn=2\r\nKMOn=2\r\n";
    const std::string newText = "[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=2\r\nStopTime=10730\r\n";
    for (const bool lockedFolder : {false, true}) {
        SCOPED_TRACE(lockedFolder ? "locked folder" : "open folder");
        const std::string name = lockedFolder ? "locked" : "open";
        const fs::path dir = folder.path() / name;
        std::optional<int> status;
        std::set<std::string> left;
        for (int call = 1; !status && call < 1000; ++call) {
            folder.write(name + "/c.ini", oldText);
            fs::permissions(dir / "c.ini", fs::perms(0666));
            fs::permissions(dir, fs::perms(lockedFolder ? 0555 : 0777));
            status = statusUnlessKilledBeforeCall(call, [&] {
                try {
                    StdFileSystem(dir).replace("c.ini", newText);
                    return 0;
                } catch (const FileError&) {
                    return 1;
                }
            });
            const std::string text = readFile(dir / "c.ini");
            EXPECT_TRUE(text == oldText || (!lockedFolder && text == newText)) << call << text;
            left.insert(text);
            fs::permissions(dir, fs::perms(0777));
            StdFileSystem(dir).removeLeftovers("c.ini");
            EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << call;
        }
        EXPECT_EQ(status, lockedFolder ? 1 : 0);
        EXPECT_EQ(left.size(), lockedFolder ? 1u : 2u) << "stopped before and after the rename";
    }
}

// Only the new files of a replacement's own name, made by a process that no longer runs, go; a
// link of that name is none of them.
TEST_F(StdFileSystemTest, RemovesOnlyTheNewFilesThatAStoppedReplacementLeft) {
    const std::string gone = std::to_string(INT_MAX); // above any process number
    const std::string running = std::to_string(::getppid());
    const struct {
        std::string name;
        bool link, stays;
    } cases[] = {
        {"c.ini.new-" + gone + "-0", false, false},
        {"c.ini.new-" + gone + "-17", false, false},
        {"c.ini.new-" + std::to_string(::getpid()) + "-0", false, false}, // this process makes none
        {"c.ini.new-" + running + "-0", false, true},
        {"c.ini.new-" + gone + "-1", true, true},
        {"c.ini.new-" + gone + "-", false, true},
        {"c.ini.new--5-0", false, true},
        {"c.ini.new-" + gone + "-0.bak", false, true},
        {"d.ini.new-" + gone + "-0", false, true},
        {"c.ini.old-" + gone + "-0", false, true},
    };
    folder.write("c.ini", "settings");
    folder.write("target", "target");
    for (const auto& c : cases) {
        c.link ? fs::create_symlink("target", folder.path() / c.name)
               : folder.write(c.name, "half");
    }
    files.removeLeftovers("c.ini");
    for (const auto& c : cases) {
        EXPECT_EQ(fs::exists(fs::symlink_status(folder.path() / c.name)), c.stays) << c.name;
    }
    EXPECT_EQ(folder.read("target"), "target");
    EXPECT_EQ(folder.read("c.ini"), "settings");
}

} // namespace
} // namespace dorvex::test

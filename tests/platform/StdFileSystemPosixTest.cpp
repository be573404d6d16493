// What only a POSIX system has: other processes made with fork, file-size limits, pipes, links and
// a user to become.
#include "tests/platform/StdFileSystemTest.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

TEST_F(StdFileSystemTest, ReadsNoPipe) {
    ASSERT_EQ(::mkfifo((folder.path() / "pipe").c_str(), 0600), 0);
    EXPECT_THROW(files.readLines("pipe"), FileError) << "a pipe would never end";
}

// Two processes append many entries at once; every line must come out whole.
TEST_F(StdFileSystemTest, EntriesOfTwoProcessesNeverInterleave) {
    folder.write("shared.log", "");
    const std::string entries[] = {std::string(700, 'a') + "\r\n", std::string(900, 'b') + "\r\n"};
    constexpr int perProcess = 400;
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = ::fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            StdFileSystem own(folder.path());
            for (int n = 0; n < perProcess; ++n) {
                own.append("shared.log", entries[i]);
            }
            ::_exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const Lines lines = files.readLines("shared.log");
    ASSERT_EQ(lines.size(), 2u * perProcess);
    const std::set<std::string> whole{entries[0].substr(0, 700), entries[1].substr(0, 900)};
    for (const std::string& line : lines) {
        ASSERT_TRUE(whole.contains(line)) << "a torn line of " << line.size() << " bytes";
    }
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
// and keep "keep" and changes them with a shell command.
TEST_F(StdFileSystemTest, ReplacesThroughNoPlantedLinkAndAlsoInAReadOnlyFolder) {
    const std::array<const char*, 3> cases[] = {
        {"temporary name planted as a link", "ln -s keep c.ini.new", "c.ini"},
        {"file is a link", "mv c.ini real.ini && ln -s real.ini c.ini", "real.ini"},
        {"read-only folder", "chmod 500 .", "c.ini"},
    };
    for (const auto& [what, arrange, rewritten] : cases) {
        DORVEX_EXPECT_AS_UNPRIVILEGED_USER(([&] {
            const fs::path dir = folder.path() / what;
            folder.write(std::string(what) + "/c.ini", "old");
            folder.write(std::string(what) + "/keep", "keep");
            const std::string command = "cd '" + dir.string() + "' && " + arrange;
            const auto entries = [&] { return std::distance(fs::directory_iterator(dir), {}); };
            const auto before = std::system(command.c_str()) == 0 ? entries() : -1;
            StdFileSystem(dir).replace("c.ini", "new");
            return readFile(dir / rewritten) == "new" && readFile(dir / "keep") == "keep" &&
                   entries() == before;
        }()))
            << what;
    }
}

} // namespace
} // namespace dorvex::test

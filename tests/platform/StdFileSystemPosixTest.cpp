// What only a POSIX system has: file modes and size limits, pipes, links and a user to become.
#include "tests/platform/StdFileSystemTest.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iterator>

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

#include "tests/platform/StdFileSystemTest.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace dorvex::test {
namespace {

namespace fs = std::filesystem;

TEST_F(StdFileSystemTest, MatchesNamesInAnyLetterCase) {
    folder.write("data/dorvexl.INI", "x");
    EXPECT_TRUE(files.folderExists("Data") && files.folderExists("DATA") &&
                files.fileExists("Data/DorvexL.ini"));
    EXPECT_FALSE(files.fileExists("Data") || files.folderExists("Data/DorvexL.ini") ||
                 files.folderExists("Log"));
    folder.write("log/a.txt", "lower");
    folder.write("Log/a.txt", "exact");
    folder.write("LOG/a.txt", "upper");
    EXPECT_EQ(files.readLines("Log/a.txt"), Lines{"exact"}) << "the exact name wins";
    EXPECT_EQ(files.readLines("lOg/a.txt"), Lines{"upper"}) << "then the first in name order";
}

TEST_F(StdFileSystemTest, ReadsLinesEndedByCrLfOrLf) {
    const std::pair<std::string, Lines> cases[] = {
        {"a\r\nb\nc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\rb\r", {"a\rb\r"}},
        {std::string("n\0l\xff\n", 5), {std::string("n\0l\xff", 4)}},
        {"", {}},
    };
    for (const auto& [content, lines] : cases) {
        folder.write("f.txt", content);
        EXPECT_EQ(files.readLines("f.txt"), lines) << "content: " << content;
    }
}

TEST_F(StdFileSystemTest, ReadsOnlyRegularFilesOfSensibleSize) {
    fs::create_directory(folder.path() / "dir");
    EXPECT_THROW(files.readLines("dir"), FileError);
    EXPECT_THROW(files.readLines("missing"), FileError);
    folder.write("huge", "");
    fs::resize_file(folder.path() / "huge", StdFileSystem::maxReadSize + 1);
    EXPECT_THROW(files.readLines("huge"), FileError);
}

TEST_F(StdFileSystemTest, CreatesOnlyNewFilesAndAppendsOnlyToExistingOnes) {
    files.createFile("new.log");
    EXPECT_TRUE(files.fileExists("new.log"));
    folder.write("a.log", "one\r\n");
    EXPECT_THROW(files.createFile("a.log"), FileError);
    EXPECT_THROW(files.append("missing.log", "x"), FileError);
    EXPECT_FALSE(fs::exists(folder.path() / "missing.log"));
    files.append("A.LOG", "two\r\n");
    EXPECT_EQ(folder.read("a.log"), "one\r\ntwo\r\n");
}

TEST_F(StdFileSystemTest, ReplacesInOneStepAndKeepsThePermissions) {
    folder.write("c.ini", "old");
    fs::permissions(folder.path() / "c.ini", fs::perms::owner_read | fs::perms::owner_write);
    files.replace("C.ini", "new\r\n");
    EXPECT_EQ(folder.read("c.ini"), "new\r\n");
    EXPECT_EQ(fs::status(folder.path() / "c.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(folder.path() / "c.ini.new"));
    fs::create_directory(folder.path() / "d.ini");
    EXPECT_THROW(files.replace("d.ini", "new"), FileError);
    EXPECT_TRUE(fs::is_directory(folder.path() / "d.ini")) << "a failure leaves the old one";
    EXPECT_FALSE(fs::exists(folder.path() / "d.ini.new"));
}

} // namespace
} // namespace dorvex::test

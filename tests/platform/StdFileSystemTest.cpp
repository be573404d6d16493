#include "tests/platform/StdFileSystemTest.h"
#include "tests/support/Simulation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <set>
#include <thread>
#include <vector>

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
    // Settings with every comment a user may add fit; a megabyte of empty lines, which would
    // take tens of megabytes as lines, is refused before it is read.
    std::string lines;
    for (int line = 0; line < 32 * 1024; ++line) {
        lines += "\r\n";
    }
    folder.write("long", lines);
    EXPECT_EQ(files.readLines("long").size(), 32u * 1024);
    folder.write("huge", lines + "\n");
    EXPECT_THROW(files.readLines("huge"), FileError);
    fs::resize_file(folder.path() / "huge", 1u << 20);
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

TEST_F(StdFileSystemTest, ReplacesInOneStep) {
    folder.write("c.ini", "old");
    files.replace("C.ini", "new\r\n");
    EXPECT_EQ(folder.read("c.ini"), "new\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1) << "nothing left over";
    fs::create_directory(folder.path() / "d.ini");
    EXPECT_THROW(files.replace("d.ini", "new"), FileError);
    EXPECT_TRUE(fs::is_directory(folder.path() / "d.ini")) << "a failure leaves the old one";
    EXPECT_FALSE(fs::exists(folder.path() / "d.ini.new"));
}

// Two writers append many entries at once, each through handles of its own as another process
// would; every line must come out whole.
TEST_F(StdFileSystemTest, EntriesOfTwoWritersNeverInterleave) {
    folder.write("shared.log", "");
    const std::string entries[] = {std::string(700, 'a') + "\r\n", std::string(900, 'b') + "\r\n"};
    constexpr int perWriter = 400;
    {
        std::vector<std::jthread> writers;
        for (const std::string& entry : entries) {
            writers.emplace_back([&] {
                StdFileSystem own(folder.path());
                for (int n = 0; n < perWriter; ++n) {
                    own.append("shared.log", entry);
                }
            });
        }
    }
    // Larger than the program reads as lines: taken whole and split here.
    const std::string log = folder.read("shared.log");
    Lines lines;
    for (std::size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        lines.push_back(log.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 2u * perWriter);
    ASSERT_EQ(log.size(), perWriter * (entries[0].size() + entries[1].size()));
    const std::set<std::string> whole{entries[0].substr(0, 700), entries[1].substr(0, 900)};
    for (const std::string& line : lines) {
        ASSERT_TRUE(whole.contains(line)) << "a torn line of " << line.size() << " bytes";
    }
}

} // namespace
} // namespace dorvex::test

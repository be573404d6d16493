#include "platform/linux/LinuxSystemTimes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace dorvex {
namespace {

__extension__ typedef unsigned __int128 Wide;

// Clock ticks in units of 100 ns, computed wide so that no count can overflow.
std::int64_t units(Wide ticks) {
    return static_cast<std::int64_t>(ticks * 10'000'000 /
                                     static_cast<unsigned>(::sysconf(_SC_CLK_TCK)));
}

class LinuxSystemTimesTest : public ::testing::Test {
protected:
    // A /proc/stat whose first line is `line`.
    void writeStat(const std::string& line) {
        folder.write("stat", line + "\ncpu0 1 1 1 1 1 1 1 1 1 1\nintr 12345\n");
    }

    test::TempFolder folder;
    LinuxSystemTimes source{(folder.path() / "stat").string()};
};

struct LineCase {
    const char* line;
    std::uint64_t idle, kernel, user; // in ticks
};

TEST_F(LinuxSystemTimesTest, SumsTheFieldsOfTheCpuLine) {
    // user nice system idle iowait irq softirq steal guest guest_nice
    const LineCase cases[] = {
        // guest time is inside user and nice already
        {"cpu  100 20 300 4000 50 6 7 8 9 10", 4050, 300 + 6 + 7 + 8 + 4050, 120},
        {"cpu  100 20 300 4000 50 6 7 8", 4050, 4371, 120}, // older kernels: no guest fields
        {"cpu 0 0 0 0 0 0 0 0 0 0", 0, 0, 0},
        {"cpu  1 2 3 4 5 6 7 8 9 10 11", 9, 24 + 9, 3}, // fields added later are ignored
    };
    for (const LineCase& c : cases) {
        LinuxSystemTimes fresh((folder.path() / "stat").string());
        writeStat(c.line);
        SystemTimes times;
        ASSERT_TRUE(fresh.read(times)) << c.line;
        EXPECT_EQ(times.idle, units(c.idle)) << c.line;
        EXPECT_EQ(times.kernel, units(c.kernel)) << c.line;
        EXPECT_EQ(times.user, units(c.user)) << c.line;
    }
}

TEST_F(LinuxSystemTimesTest, ConvertsHugeCountsWithoutOverflow) {
    // 2^50 ticks times 10^7 does not fit in 64 bits; the result does.
    const std::uint64_t huge = 1ULL << 50;
    writeStat("cpu  " + std::to_string(huge) + " 0 0 " + std::to_string(huge) + " 0 0 0 0");
    SystemTimes times;
    ASSERT_TRUE(source.read(times));
    EXPECT_EQ(times.user, units(huge));
    EXPECT_EQ(times.idle, units(huge));
    EXPECT_GT(times.kernel, 0);
}

TEST_F(LinuxSystemTimesTest, UnreadableTimesFailAndLeaveTheResultAlone) {
    const char* broken[] = {"", "cpu0 1 2 3 4 5 6 7 8", "cpu  1 2 3", "cpu  1 2 x 4 5 6 7 8",
                            "intr 1 2 3 4 5 6 7 8"};
    for (const char* line : broken) {
        writeStat(line);
        SystemTimes times{1, 2, 3};
        EXPECT_FALSE(source.read(times)) << line;
        EXPECT_EQ(times.idle, 1) << line;
        EXPECT_EQ(times.kernel, 2) << line;
        EXPECT_EQ(times.user, 3) << line;
    }
    LinuxSystemTimes missing((folder.path() / "none").string());
    SystemTimes times{1, 2, 3};
    EXPECT_FALSE(missing.read(times));
    EXPECT_EQ(times.kernel, 2);
}

TEST_F(LinuxSystemTimesTest, CountsThatGoBackwardsGiveNoNegativeInterval) {
    // user nice system idle iowait irq softirq steal; iowait and then user fall back.
    const char* lines[] = {
        "cpu  100 0 100 1000 500 0 0 0", "cpu  110 0 105 1010 480 0 0 0",
        "cpu  105 0 106 1100 470 0 0 0", "cpu  130 0 110 1200 400 0 0 0",
        "cpu  140 0 120 1300 400 0 0 0",
    };
    SystemTimes previous;
    writeStat(lines[0]);
    ASSERT_TRUE(source.read(previous));
    for (const char* line : lines) {
        writeStat(line);
        SystemTimes now;
        ASSERT_TRUE(source.read(now)) << line;
        const std::int64_t idle = now.idle - previous.idle;
        const std::int64_t kernel = now.kernel - previous.kernel;
        const std::int64_t user = now.user - previous.user;
        EXPECT_GE(idle, 0) << line;
        EXPECT_GE(user, 0) << line;
        EXPECT_GE(kernel, idle) << line; // busy time never negative
        previous = now;
    }
    // Growth is counted again once the counts pass their highest values.
    EXPECT_EQ(previous.idle, units(1700));
    EXPECT_EQ(previous.user, units(140));
}

} // namespace
} // namespace dorvex

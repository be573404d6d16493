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

TEST_F(LinuxSystemTimesTest, SumsTheFieldsOfTheCpuLineOrFailsLeavingTheResultAlone) {
    const std::string huge = std::to_string(1ULL << 50); // times 10^7 it does not fit in 64 bits
    const struct {
        std::string line;
        std::uint64_t idle, kernel, user; // in ticks; all 0: unreadable
    } cases[] = {
        // user nice system idle iowait irq softirq steal guest guest_nice; guest time is inside
        // user and nice already
        {"cpu  100 20 300 4000 50 6 7 8 9 10", 4050, 300 + 6 + 7 + 8 + 4050, 120},
        {"cpu  100 20 300 4000 50 6 7 8", 4050, 4371, 120}, // older kernels: no guest fields
        {"cpu  1 2 3 4 5 6 7 8 9 10 11", 9, 24 + 9, 3},     // fields added later are ignored
        {"cpu  " + huge + " 0 0 " + huge + " 0 0 0 0", 1ULL << 50, 1ULL << 50, 1ULL << 50},
        {"", 0, 0, 0},
        {"cpu0 1 2 3 4 5 6 7 8", 0, 0, 0},
        {"cpu  1 2 3", 0, 0, 0},
        {"cpu  1 2 x 4 5 6 7 8", 0, 0, 0},
    };
    for (const auto& c : cases) {
        LinuxSystemTimes fresh((folder.path() / "stat").string());
        writeStat(c.line);
        const bool readable = c.kernel != 0;
        SystemTimes times{1, 2, 3};
        EXPECT_EQ(fresh.read(times), readable) << c.line;
        EXPECT_EQ(times.idle, readable ? units(c.idle) : 1) << c.line;
        EXPECT_EQ(times.kernel, readable ? units(c.kernel) : 2) << c.line;
        EXPECT_EQ(times.user, readable ? units(c.user) : 3) << c.line;
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
        EXPECT_GE(now.idle, previous.idle) << line;
        EXPECT_GE(now.user, previous.user) << line;
        // Busy time, kernel time less idle time, never goes back either.
        EXPECT_GE(now.kernel - now.idle, previous.kernel - previous.idle) << line;
        previous = now;
    }
    // Growth is counted again once the counts pass their highest values.
    EXPECT_EQ(previous.idle, units(1700));
    EXPECT_EQ(previous.user, units(140));
}

} // namespace
} // namespace dorvex

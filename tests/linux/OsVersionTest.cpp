#include "platform/linux/UnameOsVersion.h"
#include "tests/linux/ChildProcess.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace dorvex {
namespace {

struct ReleaseCase {
    const char* release;
    std::uint32_t platform, major, minor;
};

TEST(UnameOsVersion, TakesMajorAndMinorFromTheKernelRelease) {
    const ReleaseCase cases[] = {
        {"6.1.0-18-amd64", 4, 6, 1},
        {"5.15.0", 4, 5, 15},
        {"4.19", 4, 4, 19},
        {"6.18.44-fc-v1272", 4, 6, 18},
        {"10.0.1", 4, 10, 0},
        {"6", 0, 0, 0},
        {"6.", 0, 0, 0},
        {"x.1", 0, 0, 0},
        {"", 0, 0, 0},
    };
    for (const ReleaseCase& c : cases) {
        const OsVersionNumbers numbers = UnameOsVersion::fromRelease(c.release);
        EXPECT_EQ(numbers.platform, c.platform) << c.release;
        EXPECT_EQ(numbers.major, c.major) << c.release;
        EXPECT_EQ(numbers.minor, c.minor) << c.release;
    }
}

TEST(UnameOsVersion, ReportsTheRunningKernel) {
    const test::CommandResult release = test::runCommand({"uname", "-r"});
    unsigned major = 0;
    unsigned minor = 0;
    ASSERT_EQ(std::sscanf(release.output.c_str(), "%u.%u", &major, &minor), 2) << release.output;

    const OsVersionNumbers numbers = UnameOsVersion().numbers();
    EXPECT_EQ(numbers.platform, 4u);
    EXPECT_EQ(numbers.major, major);
    EXPECT_EQ(numbers.minor, minor);
}

} // namespace
} // namespace dorvex

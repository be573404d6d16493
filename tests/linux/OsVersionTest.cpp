#include "platform/linux/UnameOsVersion.h"

#include <array>
#include <gtest/gtest.h>
#include <sys/utsname.h>

namespace dorvex {
namespace {

std::array<std::uint32_t, 3> asArray(const OsVersionNumbers& numbers) {
    return {numbers.platform, numbers.major, numbers.minor};
}

TEST(UnameOsVersion, TakesMajorAndMinorFromTheKernelRelease) {
    const std::pair<const char*, std::array<std::uint32_t, 3>> cases[] = {
        {"6.1.0-18-amd64", {4, 6, 1}}, {"4.19", {4, 4, 19}}, {"6", {0, 0, 0}}, {"x.1", {0, 0, 0}}};
    for (const auto& [release, numbers] : cases) {
        EXPECT_EQ(asArray(UnameOsVersion::fromRelease(release)), numbers) << release;
    }
    // The running kernel's, as the system reports it.
    utsname system{};
    ASSERT_EQ(::uname(&system), 0);
    EXPECT_EQ(asArray(UnameOsVersion().numbers()),
              asArray(UnameOsVersion::fromRelease(system.release)));
    EXPECT_EQ(UnameOsVersion().numbers().platform, 4u);
}

} // namespace
} // namespace dorvex

#include "update/ClsGetOSVer.h"
#include "platform/fake/FakeDevices.h"

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

TEST(ClsGetOSVer, PlatformMajorMinorInThatOrder) {
    const struct {
        OsVersionNumbers numbers;
        const char* text;
    } cases[] = {
        {{2, 5, 1}, "2.5.1"},
        {{2, 6, 1}, "2.6.1"},
        {{1, 4, 10}, "1.4.10"},
        {{0, 0, 0}, "0.0.0"}, // the system did not tell
        {{4294967295u, 6, 12}, "4294967295.6.12"},
    };
    for (const auto& c : cases) {
        FakeOsVersion system;
        system.version = c.numbers;
        EXPECT_EQ(ClsGetOSVer(system).getVersion(), c.text);
    }
}

} // namespace
} // namespace dorvex::test

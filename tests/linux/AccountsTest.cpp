#include "app/Program.h"
#include "platform/linux/PosixAccounts.h"
#include "tests/linux/ChildProcess.h"
#include "tests/linux/MixedPlatform.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dorvex {
namespace {

struct IdentityCase {
    const char* what;
    std::vector<std::string> setprivOptions;
    const char* expected;
};

// The decision of another process, which runs with the given ids and groups.
std::string decisionUnder(const std::vector<std::string>& setprivOptions) {
    std::vector<std::string> command{"setpriv"};
    command.insert(command.end(), setprivOptions.begin(), setprivOptions.end());
    command.insert(command.end(), {DORVEX_LINUX_PROBE, "admin"});
    return test::runCommand(command).output;
}

TEST(PosixAccounts, DecidesByUserAndGroupsOfTheProcess) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to take other ids";
    }
    const group* sudo = ::getgrnam("sudo");
    ASSERT_NE(sudo, nullptr) << "the system has no group sudo";
    const std::string sudoGroup = std::to_string(sudo->gr_gid);
    const std::string nobody = "65534";

    const IdentityCase cases[] = {
        {"root", {}, "administrator\n"},
        {"sudo among the supplementary groups",
         {"--reuid=" + nobody, "--regid=" + nobody, "--groups=100," + sudoGroup},
         "administrator\n"},
        {"sudo as the effective group",
         {"--reuid=" + nobody, "--regid=" + sudoGroup, "--clear-groups"},
         "administrator\n"},
        {"none of the groups",
         {"--reuid=" + nobody, "--regid=" + nobody, "--groups=100"},
         "user\n"},
        {"no groups at all",
         {"--reuid=" + nobody, "--regid=" + nobody, "--clear-groups"},
         "user\n"},
    };
    for (const IdentityCase& c : cases) {
        EXPECT_EQ(decisionUnder(c.setprivOptions), c.expected) << c.what;
    }
}

TEST(PosixAccounts, InhibitAdminTakesTheRightsOfRootAway) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root";
    }
    FakeMutexRegistry session;
    FakePlatform fake("/", session, {2026, 12, 7, 10, 0, 0});
    PosixAccounts accounts;
    Platform platform = test::mixedPlatform(fake, {.accounts = &accounts});
    Program program(platform);

    EXPECT_TRUE(program.Is_Admin());
    program.state.SwitchCode = 4; // -InhibitAdmin
    EXPECT_FALSE(program.Is_Admin());
}

} // namespace
} // namespace dorvex

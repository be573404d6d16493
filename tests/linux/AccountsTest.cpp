#include "platform/linux/PosixAccounts.h"
#include "tests/linux/ChildProcess.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dorvex {
namespace {

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

    const struct {
        const char* what;
        std::vector<std::string> setprivOptions;
        const char* expected;
    } cases[] = {
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
    for (const auto& c : cases) {
        EXPECT_EQ(decisionUnder(c.setprivOptions), c.expected) << c.what;
    }
}

} // namespace
} // namespace dorvex

#include "platform/linux/PosixAccounts.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace dorvex {
namespace {

// The decision in a child process that runs with the given user, group and supplementary groups.
bool administratorUnder(uid_t user, gid_t group, const std::vector<gid_t>& groups) {
    return ::setgroups(groups.size(), groups.data()) == 0 &&
           ::setresgid(group, group, group) == 0 && ::setresuid(user, user, user) == 0 &&
           // Dumpable again, so that LeakSanitizer can inspect the child at its exit.
           ::prctl(PR_SET_DUMPABLE, 1) == 0 && PosixAccounts().userIsAdministrator();
}

TEST(PosixAccountsDeathTest, DecidesByUserAndGroupsOfTheProcess) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to take other ids";
    }
    const group* sudoGroup = ::getgrnam("sudo");
    ASSERT_NE(sudoGroup, nullptr) << "the system has no group sudo";
    const gid_t sudo = sudoGroup->gr_gid;
    const uid_t nobody = 65534;
    const struct {
        const char* what;
        uid_t user;
        gid_t group;
        std::vector<gid_t> groups;
        bool administrator;
    } cases[] = {
        {"root", 0, 0, {}, true},
        {"sudo among the supplementary groups", nobody, nobody, {100, sudo}, true},
        {"sudo as the effective group", nobody, sudo, {}, true},
        {"none of the groups", nobody, nobody, {100}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EXIT(std::exit(administratorUnder(c.user, c.group, c.groups) ? 0 : 1),
                    ::testing::ExitedWithCode(c.administrator ? 0 : 1), "")
            << c.what;
    }
}

} // namespace
} // namespace dorvex

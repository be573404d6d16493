#include "platform/linux/LinuxProcessPriority.h"
#include "platform/linux/TimerSlack.h"
#include "tests/linux/ChildProcess.h"
#include "tests/support/Simulation.h"

#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace dorvex {
namespace {

int niceOf(pid_t thread) {
    return ::getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
}

// Runs in a child process, so that the test process keeps its priority.
bool raisesToHighest() {
    LinuxProcessPriority().raiseThreadPriority();
    return niceOf(::gettid()) == -20;
}

// The nice value a user may reach is 20 minus RLIMIT_NICE.
bool raisesToTheUsersLimit(rlim_t limit, int expected) {
    const rlimit allowed{limit, limit};
    if (::setrlimit(RLIMIT_NICE, &allowed) != 0) {
        return false;
    }
    test::dropPrivileges();
    LinuxProcessPriority().raiseThreadPriority();
    return niceOf(::gettid()) == expected;
}

// Every thread of the process, also one started before.
bool raisesEveryThread() {
    std::atomic<pid_t> other{0};
    std::atomic<bool> done{false};
    std::thread thread([&] {
        other = ::gettid();
        while (!done) {
            std::this_thread::yield();
        }
    });
    while (other == 0) {
        std::this_thread::yield();
    }
    LinuxProcessPriority().raiseProcessPriority();
    const bool raised = niceOf(::gettid()) == -20 && niceOf(other) == -20;
    done = true;
    thread.join();
    return raised;
}

TEST(LinuxProcessPriorityDeathTest, RaisesAsFarAsTheUserMay) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to change limits and users";
    }
    EXPECT_EXIT(std::exit(raisesToHighest() ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(raisesEveryThread() ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(raisesToTheUsersLimit(0, 0) ? 0 : 1), ::testing::ExitedWithCode(0), "");
}

long timerSlack() {
    return ::prctl(PR_GET_TIMERSLACK, 0UL, 0UL, 0UL, 0UL);
}

// As a program started from the thread sees its own slack.
std::string slackOfAProgramStarted() {
    return test::runCommand({"cat", "/proc/self/timerslack_ns"}).output;
}

// The slack reaches threads started afterwards; a program started under the usual one has the
// slack the thread started with, and the thread gets its own back afterwards. On a thread of its
// own, so that the test process keeps its slack.
TEST(TimerSlack, ReachesLaterThreadsButNotProgramsStartedWithTheUsualOne) {
    std::thread([] {
        const long usual = timerSlack();
        ASSERT_NE(usual, 50'000'000);
        allowTimerSlack(std::chrono::milliseconds(50));
        long later = 0;
        std::thread([&later] { later = timerSlack(); }).join();
        EXPECT_EQ(later, 50'000'000);
        EXPECT_EQ(slackOfAProgramStarted(), "50000000\n");
        {
            const UsualTimerSlack started;
            EXPECT_EQ(slackOfAProgramStarted(), std::to_string(usual) + "\n");
        }
        EXPECT_EQ(timerSlack(), 50'000'000);
    }).join();
}

} // namespace
} // namespace dorvex

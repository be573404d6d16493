#include "platform/linux/FlockNamedMutexes.h"
#include "tests/linux/ChildProcess.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dorvex {
namespace {

using namespace std::chrono_literals;

class FlockNamedMutexesTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    FlockNamedMutexes mutexes{folder.path(), "session-7"};
};

TEST_F(FlockNamedMutexesTest, TheMutexOfASessionLastsUntilItsLastHandleCloses) {
    FlockNamedMutexes sameSession(folder.path(), "session-7");
    FlockNamedMutexes otherSession(folder.path(), "session-8");
    const MutexCreation first = mutexes.create("Dorvex");
    const MutexCreation second = mutexes.create("Dorvex");
    EXPECT_NE(first.handle, 0u);
    EXPECT_FALSE(first.alreadyExists);
    EXPECT_NE(second.handle, 0u);
    EXPECT_NE(second.handle, first.handle);
    EXPECT_TRUE(second.alreadyExists);
    EXPECT_FALSE(mutexes.create("Other").alreadyExists);
    const MutexCreation inSameSession = sameSession.create("Dorvex");
    EXPECT_TRUE(inSameSession.alreadyExists);
    sameSession.close(inSameSession.handle);
    EXPECT_FALSE(otherSession.create("Dorvex").alreadyExists);

    mutexes.close(first.handle);
    const MutexCreation third = mutexes.create("Dorvex");
    EXPECT_TRUE(third.alreadyExists) << "the second handle still holds it";
    mutexes.close(second.handle);
    // Programs started later do not keep it.
    test::ChildProcess program({"sleep", "30"});
    mutexes.close(third.handle);
    mutexes.close(third.handle); // closing twice does no harm
    EXPECT_FALSE(mutexes.create("Dorvex").alreadyExists);
}

TEST_F(FlockNamedMutexesTest, AnyNameStaysInsideTheFolderAndNoFolderMeansNoHandle) {
    EXPECT_EQ(mutexes.lockFile("../a/b c").parent_path(), folder.path());
    EXPECT_NE(mutexes.create("../a/b c").handle, 0u);
    const MutexCreation creation =
        FlockNamedMutexes(folder.path() / "missing", "session-7").create("Dorvex");
    EXPECT_EQ(creation.handle, 0u);
    EXPECT_FALSE(creation.alreadyExists);
}

struct EnvironmentCase {
    std::optional<std::string> runtimeFolder;
    std::optional<std::string> session;
    std::string expected;
};

TEST(FlockNamedMutexesEnvironment, LockFileNamesMutexAndSession) {
    const std::string uid = std::to_string(::getuid());
    const EnvironmentCase cases[] = {
        {"/run/user/1000", "3", "/run/user/1000/Dorvex.session-3.lock"},
        {"/run/user/1000", std::nullopt, "/run/user/1000/Dorvex.uid-" + uid + ".lock"},
        {"/run/user/1000", "", "/run/user/1000/Dorvex.uid-" + uid + ".lock"},
        {std::nullopt, "3", "/tmp/Dorvex.session-3.lock"},
        {"", std::nullopt, "/tmp/Dorvex.uid-" + uid + ".lock"},
    };
    for (const EnvironmentCase& c : cases) {
        test::ScopedEnvironment runtime("XDG_RUNTIME_DIR", c.runtimeFolder);
        test::ScopedEnvironment session("XDG_SESSION_ID", c.session);
        EXPECT_EQ(FlockNamedMutexes().lockFile("Dorvex"), c.expected);
    }
}

// The guard as the program takes it at start-up, in separate processes of one session.
class GuardProcessesTest : public ::testing::Test {
protected:
    std::unique_ptr<test::ChildProcess> start() {
        return std::make_unique<test::ChildProcess>(
            std::vector<std::string>{DORVEX_LINUX_PROBE, "guard"},
            std::vector<std::string>{"XDG_RUNTIME_DIR=" + folder.path().string(),
                                     "XDG_SESSION_ID=12"});
    }

    test::TempFolder folder;
};

TEST_F(GuardProcessesTest, ASecondStartIsRefusedUntilTheFirstProcessIsKilled) {
    const auto first = start();
    ASSERT_EQ(first->readLine(10s), "running");

    const auto second = start();
    EXPECT_EQ(second->readLine(10s), "refused");
    EXPECT_EQ(second->wait(10s), 0);

    first->kill(SIGKILL);
    ASSERT_EQ(first->wait(10s), 128 + SIGKILL);
    const auto third = start();
    EXPECT_EQ(third->readLine(10s), "running");
}

} // namespace
} // namespace dorvex

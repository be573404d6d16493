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
    EXPECT_FALSE(first.alreadyExists);
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

TEST(FlockNamedMutexesEnvironment, LockFileNamesMutexAndSession) {
    const std::string uid = std::to_string(::getuid());
    const std::string own = std::filesystem::is_directory("/run/user/" + uid)
                                ? "/run/user/" + uid
                                : "/tmp/dorvex-" + uid;
    test::ScopedEnvironment temporary("TMPDIR", std::nullopt);
    const struct {
        std::optional<std::string> runtimeFolder, session;
        std::string expected;
    } cases[] = {
        {"/run/user/1000", "3", "/run/user/1000/Dorvex.session-3.lock"},
        {"/run/user/1000", std::nullopt, "/run/user/1000/Dorvex.uid-" + uid + ".lock"},
        {std::nullopt, "3", own + "/Dorvex.session-3.lock"},
        {"", std::nullopt, own + "/Dorvex.uid-" + uid + ".lock"},
    };
    for (const auto& c : cases) {
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

struct PlantedCase {
    const char* what;
    const char* plant; // a shell command: $0 is the lock file, $d its folder
    bool refused;
};

// Without XDG_RUNTIME_DIR the lock files go to a folder of the user's own below TMPDIR.
TEST(FlockNamedMutexesPlanted, RefusesALockInPlaceOrFolderThatIsNotTheUsersOwn) {
    if (std::filesystem::exists("/run/user/" + std::to_string(::getuid()))) {
        GTEST_SKIP() << "the lock files go to /run/user";
    }
    test::ScopedEnvironment runtime("XDG_RUNTIME_DIR", std::nullopt);
    test::ScopedEnvironment session("XDG_SESSION_ID", "7");
    const PlantedCase cases[] = {
        {"nothing: a private folder is made", ":", false},
        {"a folder open to others", "mkdir -m 777 $d", true},
        {"a named pipe", "mkdir -m 700 $d && mkfifo $0", true},
        {"a link to a file of the user's", "mkdir -m 700 $d && touch $0.t && ln -s $0.t $0", true},
        {"a file of another user (needs root)", "mkdir -m 700 $d && touch $0 && chown 65534 $0",
         true},
        {"a file another process holds", "mkdir -m 700 $d && exec 3>$0 && flock -x 3", true},
    };
    for (const PlantedCase& c : cases) {
        test::TempFolder temporary;
        test::ScopedEnvironment temporaryFolder("TMPDIR", temporary.path().string());
        FlockNamedMutexes mutexes;
        const std::filesystem::path lock = mutexes.lockFile("Dorvex");
        // Nothing is planted outside the test's own folder.
        ASSERT_EQ(lock.parent_path().parent_path(), temporary.path()) << c.what;
        test::ChildProcess planter(
            {"sh", "-c",
             std::string("d=${0%/*} && ") + c.plant + " && echo planted && exec sleep 30",
             lock.string()});
        ASSERT_EQ(planter.readLine(10s), "planted") << c.what;
        if (c.refused) {
            EXPECT_THROW(mutexes.create("Dorvex"), MutexError) << c.what;
        } else {
            EXPECT_NE(mutexes.create("Dorvex").handle, 0u);
            EXPECT_EQ(std::filesystem::status(lock.parent_path()).permissions(),
                      std::filesystem::perms::owner_all);
        }
    }
}

} // namespace
} // namespace dorvex

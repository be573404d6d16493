#include "app/Program.h"
#include "platform/linux/LogindPowerControl.h"
#include "shutdown/ShutdownError.h"
#include "tests/linux/MixedPlatform.h"
#include "tests/linux/MockLogind.h"

#include <cstdlib>
#include <functional>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>

namespace dorvex {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using ::testing::Not;

class LogindPowerControlTest : public ::testing::Test {
protected:
    // No request may reach the machine's login manager.
    void refuseForeignBus() const {
        if (!mock.ownsSystemBusAddress()) {
            std::cerr << "refusing to run: the system bus is not the test's own\n";
            std::abort();
        }
    }

    LogindPowerControl& power() {
        refuseForeignBus();
        return control;
    }

    // Waits until the mock has been asked for `call`, such as "'PowerOff', [<false>]".
    bool mockReceived(const std::string& call) const {
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (mock.calls().find(call) != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

    test::MockLogind mock;
    LogindPowerControl control{{.toSleep = 500ms, .toResume = 10s}};
};

TEST_F(LogindPowerControlTest, ExitFlagsBecomeTheLoginManagersRequests) {
    struct ExitCase {
        std::uint32_t flags;
        const char* call;
    };
    const ExitCase cases[] = {
        {12, "'PowerOff', [<false>]"}, // power off and force: what the countdown asks for
        {8, "'PowerOff', [<false>]"},  {1, "'PowerOff', [<false>]"}, {5, "'PowerOff', [<false>]"},
        {2, "'Reboot', [<false>]"},    {6, "'Reboot', [<false>]"},
    };
    for (const ExitCase& c : cases) {
        mock.clearCalls();
        const PowerRequestResult result = power().exitSystem(c.flags);
        EXPECT_TRUE(result.accepted) << c.flags << ": " << result.systemText;
        EXPECT_THAT(mock.calls(), HasSubstr(c.call)) << c.flags;
    }
}

TEST_F(LogindPowerControlTest, LoggingOffIsRefusedWithoutAsking) {
    for (const std::uint32_t flags : {0u, 4u, 16u}) {
        const PowerRequestResult result = power().exitSystem(flags);
        EXPECT_FALSE(result.accepted) << flags;
        EXPECT_EQ(result.systemText, "Logging off is not supported") << flags;
    }
    EXPECT_THAT(mock.calls(), Not(HasSubstr("PowerOff")));
    EXPECT_THAT(mock.calls(), Not(HasSubstr("Reboot")));
}

TEST_F(LogindPowerControlTest, ThePrivilegeFollowsTheLoginManagersAnswer) {
    struct AnswerCase {
        PowerAction action;
        const char* method;
        const char* answer;
        PrivilegeFailure expected;
    };
    const AnswerCase cases[] = {
        {PowerAction::PowerOff, "CanPowerOff", "yes", PrivilegeFailure::None},
        {PowerAction::PowerOff, "CanPowerOff", "challenge", PrivilegeFailure::None},
        {PowerAction::PowerOff, "CanPowerOff", "no", PrivilegeFailure::NotPermitted},
        {PowerAction::PowerOff, "CanPowerOff", "na", PrivilegeFailure::NotPermitted},
        {PowerAction::Hibernate, "CanHibernate", "yes", PrivilegeFailure::None},
        {PowerAction::Hibernate, "CanHibernate", "na", PrivilegeFailure::NotPermitted},
    };
    for (const AnswerCase& c : cases) {
        mock.replaceMethod(c.method, "", "s", std::string("ret = '") + c.answer + "'");
        const PrivilegeResult result = power().enableShutdownPrivilege(c.action);
        EXPECT_EQ(result.failure, c.expected) << c.method << " " << c.answer;
        if (c.expected != PrivilegeFailure::None) {
            EXPECT_EQ(result.systemText, std::string(c.method) + " answered \"" + c.answer + "\"");
        }
    }
    // Each action asks its own question.
    mock.replaceMethod("CanPowerOff", "", "s", "ret = 'no'");
    mock.replaceMethod("CanHibernate", "", "s", "ret = 'yes'");
    EXPECT_EQ(power().enableShutdownPrivilege(PowerAction::Hibernate).failure,
              PrivilegeFailure::None);
}

TEST_F(LogindPowerControlTest, ABusThatRefusesTheCallerMeansNoPermission) {
    mock.replaceMethod("CanPowerOff", "", "s",
                       "raise dbus.exceptions.DBusException('Access denied by policy', "
                       "name='org.freedesktop.DBus.Error.AccessDenied')");
    const PrivilegeResult result = power().enableShutdownPrivilege(PowerAction::PowerOff);
    EXPECT_EQ(result.failure, PrivilegeFailure::NotPermitted);
    EXPECT_EQ(result.systemText, "Access denied by policy");
}

TEST_F(LogindPowerControlTest, ARefusedRequestIsNotAccepted) {
    const std::string refusal = "raise dbus.exceptions.DBusException('Operation inhibited', "
                                "name='org.freedesktop.login1.OperationInProgress')";
    mock.replaceMethod("PowerOff", "b", "", refusal);
    mock.replaceMethod("Hibernate", "b", "", refusal);
    for (const PowerRequestResult& result : {power().exitSystem(12), power().hibernate()}) {
        EXPECT_FALSE(result.accepted);
        EXPECT_EQ(result.systemText, "Operation inhibited");
    }
}

TEST_F(LogindPowerControlTest, HibernateReturnsAfterTheResume) {
    LogindPowerControl patient{{.toSleep = 20s, .toResume = 20s}};
    refuseForeignBus();
    auto hibernation = std::async(std::launch::async, [&] { return patient.hibernate(); });
    ASSERT_TRUE(mockReceived("'Hibernate', [<false>]"));

    mock.emitPrepareForSleep(false); // a resume without a sleep before it ends nothing
    EXPECT_EQ(hibernation.wait_for(300ms), std::future_status::timeout);
    mock.emitPrepareForSleep(true);
    EXPECT_EQ(hibernation.wait_for(300ms), std::future_status::timeout);
    mock.emitPrepareForSleep(false);
    ASSERT_EQ(hibernation.wait_for(10s), std::future_status::ready);
    const PowerRequestResult result = hibernation.get();
    EXPECT_TRUE(result.accepted) << result.systemText;
}

TEST_F(LogindPowerControlTest, HibernateWithoutSleepingIsNotAccepted) {
    const auto start = std::chrono::steady_clock::now();
    const PowerRequestResult result = power().hibernate();
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.systemText, "The system did not hibernate");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_THAT(mock.calls(), HasSubstr("'Hibernate', [<false>]"));
}

TEST_F(LogindPowerControlTest, WithoutTheLoginManagerNothingIsAccepted) {
    mock.stopService();
    const PrivilegeResult privilege = power().enableShutdownPrivilege(PowerAction::PowerOff);
    EXPECT_EQ(privilege.failure, PrivilegeFailure::PrivilegeNotFound);
    EXPECT_THAT(privilege.systemText, HasSubstr("org.freedesktop.login1"));
    for (const PowerRequestResult& result : {power().exitSystem(12), power().hibernate()}) {
        EXPECT_FALSE(result.accepted);
        EXPECT_THAT(result.systemText, HasSubstr("org.freedesktop.login1"));
    }
}

TEST_F(LogindPowerControlTest, WithoutABusNothingIsAccepted) {
    mock.pointToMissingBus();
    const std::string text = "Cannot connect to the system bus: No such file or directory";
    const PrivilegeResult privilege = power().enableShutdownPrivilege(PowerAction::Hibernate);
    EXPECT_EQ(privilege.failure, PrivilegeFailure::PrivilegeNotFound);
    EXPECT_EQ(privilege.systemText, text);
    for (const PowerRequestResult& result : {power().exitSystem(12), power().hibernate()}) {
        EXPECT_FALSE(result.accepted);
        EXPECT_EQ(result.systemText, text);
    }
}

// The program's shutdown service on the login manager: its numbered errors carry the bus's text.
class ShutdownServiceTest : public LogindPowerControlTest {
protected:
    // The number and description of the error the service raises, or 0 and "" when it succeeds.
    std::pair<std::int32_t, std::string> outcome(const std::function<void(MdShut&)>& request) {
        power();
        try {
            request(program.mdShut);
        } catch (const ShutdownError& error) {
            return {error.number, error.what()};
        }
        return {0, ""};
    }

    FakeMutexRegistry session;
    FakePlatform fake{"/", session, {2026, 12, 7, 10, 0, 0}};
    Platform platform = test::mixedPlatform(fake, {.power = &control});
    Program program{platform};
};

TEST_F(ShutdownServiceTest, PowersOff) {
    EXPECT_EQ(outcome([](MdShut& service) { service.ShutdownSystem(12); }),
              std::make_pair(0, std::string()));
    EXPECT_THAT(mock.calls(), HasSubstr("'PowerOff', [<false>]"));
}

TEST_F(ShutdownServiceTest, AUserWhoMayNotPowerOffGetsThePrivilegeError) {
    mock.replaceMethod("CanPowerOff", "", "s", "ret = 'no'");
    EXPECT_EQ(outcome([](MdShut& service) { service.ShutdownSystem(12); }),
              std::make_pair(MdShut::NoPrivilege,
                             std::string("Can't enable shutdown: You do not have the privileges to "
                                         "shutdown this system. [CanPowerOff answered \"no\"]")));
    EXPECT_THAT(mock.calls(), Not(HasSubstr("'PowerOff'")));
}

TEST_F(ShutdownServiceTest, AMissingBusIsANumberedError) {
    mock.pointToMissingBus();
    const std::string text = "[Cannot connect to the system bus: No such file or directory]";
    EXPECT_EQ(outcome([](MdShut& service) { service.ShutdownSystem(12); }),
              std::make_pair(MdShut::PrivilegeNotFound,
                             "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege "
                             "value. " +
                                 text));
    EXPECT_EQ(outcome([](MdShut& service) { service.Hibernate_System(); }).first,
              MdShut::PrivilegeNotFound);
}

TEST_F(ShutdownServiceTest, AHibernationThatDoesNotHappenIsANumberedError) {
    EXPECT_EQ(outcome([](MdShut& service) { service.Hibernate_System(); }),
              std::make_pair(MdShut::ShutdownFailed,
                             std::string("Hibernate_System failed: The system did not hibernate")));
}

} // namespace
} // namespace dorvex

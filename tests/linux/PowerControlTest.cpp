#include "platform/linux/LogindPowerControl.h"
#include "tests/linux/MockLogind.h"

#include <cstdlib>
#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>

namespace dorvex {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

// Python for dbusmock: a method that fails with the bus error's name and text.
std::string raising(const std::string& name, const std::string& text) {
    return "raise dbus.exceptions.DBusException('" + text + "', name='" + name + "')";
}

class LogindPowerControlTest : public ::testing::Test {
protected:
    // The control, once it is sure that no request can reach the machine's login manager.
    LogindPowerControl& power() {
        if (!mock.ownsSystemBusAddress()) {
            std::cerr << "refusing to run: the system bus is not the test's own\n";
            std::abort();
        }
        return control;
    }
    // The power method the mock was asked for since the last clearing: "PowerOff", "Reboot", "".
    std::string methodCalled() const {
        const std::string calls = mock.calls();
        return calls.find("'PowerOff', [<false>]") != std::string::npos ? "PowerOff"
               : calls.find("'Reboot', [<false>]") != std::string::npos ? "Reboot"
                                                                        : "";
    }

    test::MockLogind mock;
    LogindPowerControl control{{.toSleep = 500ms, .toResume = 10s}};
};

TEST_F(LogindPowerControlTest, ExitFlagsBecomeTheLoginManagersRequests) {
    const std::pair<std::uint32_t, std::string> cases[] = {
        {12, "PowerOff"}, // power off and force: what the countdown asks for
        {2, "Reboot"},    {6, "Reboot"}, {0, ""}, {4, ""}, // logging off
    };
    for (const auto& [flags, method] : cases) {
        mock.clearCalls();
        const PowerRequestResult result = power().exitSystem(flags);
        EXPECT_EQ(result.accepted, !method.empty()) << flags << ": " << result.systemText;
        EXPECT_EQ(result.systemText, method.empty() ? "Logging off is not supported" : "");
        EXPECT_EQ(methodCalled(), method) << flags;
    }
}

TEST_F(LogindPowerControlTest, ThePrivilegeFollowsTheLoginManagersAnswer) {
    const std::string denied =
        raising("org.freedesktop.DBus.Error.AccessDenied", "Access denied by policy");
    const struct {
        PowerAction action;
        std::string code;
        PrivilegeFailure expected;
        std::string text;
    } cases[] = {
        // Each action asks its own question.
        {PowerAction::Hibernate, "ret = 'na'", PrivilegeFailure::NotPermitted,
         "CanHibernate answered \"na\""},
        {PowerAction::PowerOff, "ret = 'yes'", PrivilegeFailure::None, ""},
        // Only a user who authenticates could: a request made without asking cannot.
        {PowerAction::PowerOff, "ret = 'challenge'", PrivilegeFailure::NotPermitted,
         "CanPowerOff answered \"challenge\""},
        // A bus that refuses the caller means no permission.
        {PowerAction::PowerOff, denied, PrivilegeFailure::NotPermitted, "Access denied by policy"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        mock.replaceMethod(c.action == PowerAction::Hibernate ? "CanHibernate" : "CanPowerOff", "",
                           "s", c.code);
        const PrivilegeResult result = power().enableShutdownPrivilege(c.action);
        EXPECT_EQ(result.failure, c.expected);
        EXPECT_EQ(result.systemText, c.text);
    }
}

TEST_F(LogindPowerControlTest, RefusedRequestsAMissingLoginManagerOrBusAreNotAccepted) {
    const std::string inhibited =
        raising("org.freedesktop.login1.OperationInProgress", "Operation inhibited");
    mock.replaceMethod("PowerOff", "b", "", inhibited);
    mock.replaceMethod("Hibernate", "b", "", inhibited);
    const std::string noBus = "Cannot connect to the system bus: No such file or directory";
    const struct {
        std::function<void()> cause;
        PrivilegeFailure privilege;
        std::string text; // for the privilege as for the requests; "" for the privilege: none
    } cases[] = {
        {[] {}, PrivilegeFailure::None, "Operation inhibited"},
        // A refusal while another program blocks the request names that program.
        {[&] { mock.listLock("shutdown:sleep"); }, PrivilegeFailure::None,
         "Totem keeps the machine awake (Playing a video)"},
        {[&] { mock.stopService(); }, PrivilegeFailure::PrivilegeNotFound,
         "The name org.freedesktop.login1 was not provided by any .service files"},
        {[&] { mock.pointToMissingBus(); }, PrivilegeFailure::PrivilegeNotFound, noBus},
    };
    for (const auto& c : cases) {
        c.cause();
        const PrivilegeResult privilege = power().enableShutdownPrivilege(PowerAction::PowerOff);
        EXPECT_EQ(privilege.failure, c.privilege) << c.text;
        EXPECT_EQ(privilege.systemText, c.privilege == PrivilegeFailure::None ? "" : c.text);
        for (const PowerRequestResult& result : {power().exitSystem(12), power().hibernate()}) {
            EXPECT_FALSE(result.accepted) << c.text;
            EXPECT_EQ(result.systemText, c.text);
        }
    }
}

TEST_F(LogindPowerControlTest, HibernateReturnsAfterTheResumeAndFailsWithoutASleep) {
    const auto start = std::chrono::steady_clock::now();
    const PowerRequestResult sleepless = power().hibernate();
    EXPECT_FALSE(sleepless.accepted);
    EXPECT_EQ(sleepless.systemText, "The system did not hibernate");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);

    LogindPowerControl patient{{.toSleep = 20s, .toResume = 20s}};
    mock.clearCalls();
    auto hibernation = std::async(std::launch::async, [&] {
        power();
        return patient.hibernate();
    });
    for (int attempt = 0;
         attempt < 100 && mock.calls().find("'Hibernate', [<false>]") == std::string::npos;
         ++attempt) {
        std::this_thread::sleep_for(50ms);
    }
    ASSERT_THAT(mock.calls(), HasSubstr("'Hibernate', [<false>]"));
    mock.emitPrepareForSleep(false); // a resume without a sleep before it ends nothing
    EXPECT_EQ(hibernation.wait_for(300ms), std::future_status::timeout);
    mock.emitPrepareForSleep(true);
    EXPECT_EQ(hibernation.wait_for(300ms), std::future_status::timeout);
    mock.emitPrepareForSleep(false);
    ASSERT_EQ(hibernation.wait_for(10s), std::future_status::ready);
    const PowerRequestResult result = hibernation.get();
    EXPECT_TRUE(result.accepted) << result.systemText;
}

} // namespace
} // namespace dorvex

#include "platform/win32/Win32PowerControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dorvex {
namespace {

using Steps = std::vector<std::string>;

// Records each call with its arguments; the call named `failing` fails with `error`. Nothing is
// ever passed on to the system.
class RecordingPowerCalls : public PowerCalls {
public:
    Steps steps;
    std::string failing;
    DWORD error = 0;

    BOOL lookupPrivilegeValue(const char* name, LUID& value) override {
        value = {7, 0};
        return step("LookupPrivilegeValue " + std::string(name));
    }
    HANDLE currentProcess() override {
        return step("GetCurrentProcess") ? GetCurrentProcess() : nullptr;
    }
    BOOL openProcessToken(HANDLE, DWORD access, HANDLE& token) override {
        token = reinterpret_cast<HANDLE>(0x44);
        return step("OpenProcessToken " + std::to_string(access));
    }
    BOOL adjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& request, TOKEN_PRIVILEGES&,
                               DWORD&) override {
        const LUID_AND_ATTRIBUTES& privilege = request.Privileges[0];
        return step("AdjustTokenPrivileges " + handle(token) + " " +
                    std::to_string(request.PrivilegeCount) + " " +
                    std::to_string(privilege.Luid.LowPart) + " " +
                    std::to_string(privilege.Attributes));
    }
    void closeHandle(HANDLE handle) override { step("CloseHandle " + this->handle(handle)); }
    BOOL exitWindows(UINT flags, DWORD reason) override {
        return step("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
    }
    void setSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsDisabled) override {
        step("SetSuspendState " + std::to_string(hibernate) + std::to_string(force) +
             std::to_string(wakeEventsDisabled));
    }
    DWORD lastError() override { return error; }

private:
    static std::string handle(HANDLE value) {
        return std::to_string(reinterpret_cast<std::uintptr_t>(value));
    }
    BOOL step(const std::string& call) {
        steps.push_back(call);
        return call.starts_with(failing) ? FALSE : TRUE;
    }
};

const Steps privilegeSteps{"LookupPrivilegeValue SeShutdownPrivilege", "GetCurrentProcess",
                           "OpenProcessToken 40", "AdjustTokenPrivileges 68 1 7 2",
                           "CloseHandle 68"};

TEST(Win32PowerControl, EnablesThePrivilegeOfItsOwnTokenStepByStep) {
    RecordingPowerCalls calls;
    calls.failing = "none";
    Win32PowerControl power(calls);
    EXPECT_EQ(power.enableShutdownPrivilege(PowerAction::PowerOff).failure, PrivilegeFailure::None);
    EXPECT_EQ(calls.steps, privilegeSteps);
}

// Each failing step ends the privilege with its kind of failure and the system's text (Wine's
// wording here).
TEST(Win32PowerControl, AFailingStepGivesItsFailureWithTheSystemsText) {
    struct Case {
        const char* failing;
        DWORD error;
        PrivilegeFailure failure;
        std::size_t steps;
        const char* text;
    };
    const Case cases[] = {
        {"LookupPrivilegeValue", ERROR_NO_SUCH_PRIVILEGE, PrivilegeFailure::PrivilegeNotFound, 1,
         "No such privilege.\r\n"},
        {"GetCurrentProcess", ERROR_INVALID_HANDLE, PrivilegeFailure::NoCurrentProcess, 2,
         "Invalid handle.\r\n"},
        {"OpenProcessToken", ERROR_ACCESS_DENIED, PrivilegeFailure::NotPermitted, 3,
         "Access denied.\r\n"},
        {"AdjustTokenPrivileges", ERROR_PRIVILEGE_NOT_HELD, PrivilegeFailure::NotPermitted, 5,
         "Privilege not held.\r\n"},
    };
    for (const Case& c : cases) {
        RecordingPowerCalls calls;
        calls.failing = c.failing;
        calls.error = c.error;
        const PrivilegeResult result =
            Win32PowerControl(calls).enableShutdownPrivilege(PowerAction::Hibernate);
        EXPECT_EQ(result.failure, c.failure) << c.failing;
        EXPECT_EQ(result.systemText, c.text) << c.failing;
        EXPECT_EQ(calls.steps, Steps(privilegeSteps.begin(), privilegeSteps.begin() + c.steps))
            << c.failing << ": the token, once open, is closed";
    }
}

TEST(Win32PowerControl, PowersOffWithTheFlagsAndHibernatesWithForce) {
    RecordingPowerCalls calls;
    calls.failing = "none";
    Win32PowerControl power(calls);
    EXPECT_TRUE(power.exitSystem(12).accepted);
    EXPECT_TRUE(power.hibernate().accepted);
    EXPECT_EQ(calls.steps, (Steps{"ExitWindowsEx 12 4294967295", "SetSuspendState 110"}));

    calls.failing = "ExitWindowsEx";
    calls.error = ERROR_PRIVILEGE_NOT_HELD;
    const PowerRequestResult refused = power.exitSystem(12);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.systemText, "Privilege not held.\r\n");
}

} // namespace
} // namespace dorvex

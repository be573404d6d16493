#include "platform/win32/Win32PowerControl.h"

#include "platform/win32/SystemErrorText.h"

namespace dorvex {

PrivilegeResult Win32PowerControl::failed(PrivilegeFailure failure) {
    return {failure, systemErrorText(calls_.lastError())};
}

// The same privilege serves both actions.
PrivilegeResult Win32PowerControl::enableShutdownPrivilege(PowerAction) {
    TOKEN_PRIVILEGES request{1, {{{}, SE_PRIVILEGE_ENABLED}}};
    if (!calls_.lookupPrivilegeValue("SeShutdownPrivilege", request.Privileges[0].Luid)) {
        return failed(PrivilegeFailure::PrivilegeNotFound);
    }
    const HANDLE process = calls_.currentProcess();
    if (process == nullptr) {
        return failed(PrivilegeFailure::NoCurrentProcess);
    }
    HANDLE token = nullptr;
    if (!calls_.openProcessToken(process, TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token)) {
        return failed(PrivilegeFailure::NotPermitted);
    }
    TOKEN_PRIVILEGES previous{};
    DWORD returnedLength = 0;
    // Only the call's own result counts, not whether every privilege was assigned.
    const bool adjusted = calls_.adjustTokenPrivileges(token, request, previous, returnedLength);
    const PrivilegeResult result =
        adjusted ? PrivilegeResult{} : failed(PrivilegeFailure::NotPermitted);
    calls_.closeHandle(token);
    return result;
}

PowerRequestResult Win32PowerControl::exitSystem(std::uint32_t flags) {
    if (calls_.exitWindows(flags, exitReason)) {
        return {true, ""};
    }
    return {false, systemErrorText(calls_.lastError())};
}

// Returns when the machine has resumed; the call's result says nothing more.
PowerRequestResult Win32PowerControl::hibernate() {
    calls_.setSuspendState(TRUE, TRUE, FALSE);
    return {true, ""};
}

} // namespace dorvex

#include "platform/win32/SystemPowerCalls.h"

#include <powrprof.h>

namespace dorvex {

BOOL SystemPowerCalls::lookupPrivilegeValue(const char* name, LUID& value) {
    return ::LookupPrivilegeValueA(nullptr, name, &value);
}

HANDLE SystemPowerCalls::currentProcess() {
    return ::GetCurrentProcess();
}

BOOL SystemPowerCalls::openProcessToken(HANDLE process, DWORD access, HANDLE& token) {
    return ::OpenProcessToken(process, access, &token);
}

BOOL SystemPowerCalls::adjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& request,
                                             TOKEN_PRIVILEGES& previous, DWORD& returnedLength) {
    TOKEN_PRIVILEGES changed = request;
    return ::AdjustTokenPrivileges(token, FALSE, &changed, sizeof previous, &previous,
                                   &returnedLength);
}

void SystemPowerCalls::closeHandle(HANDLE handle) {
    ::CloseHandle(handle);
}

BOOL SystemPowerCalls::exitWindows(UINT flags, DWORD reason) {
    return ::ExitWindowsEx(flags, reason);
}

void SystemPowerCalls::setSuspendState(BOOLEAN hibernate, BOOLEAN force,
                                       BOOLEAN wakeEventsDisabled) {
    ::SetSuspendState(hibernate, force, wakeEventsDisabled);
}

DWORD SystemPowerCalls::lastError() {
    return ::GetLastError();
}

} // namespace dorvex

#pragma once

#include <windows.h>

namespace dorvex {

// The system calls of the power path, one function each, so that tests can put a recorder in
// their place: no test may ever ask the system to power off or hibernate.
class PowerCalls {
public:
    virtual ~PowerCalls() = default;
    virtual BOOL lookupPrivilegeValue(const char* name, LUID& value) = 0;
    virtual HANDLE currentProcess() = 0;
    virtual BOOL openProcessToken(HANDLE process, DWORD access, HANDLE& token) = 0;
    virtual BOOL adjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& request,
                                       TOKEN_PRIVILEGES& previous, DWORD& returnedLength) = 0;
    virtual void closeHandle(HANDLE handle) = 0;
    virtual BOOL exitWindows(UINT flags, DWORD reason) = 0;
    virtual void setSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsDisabled) = 0;
    // The last error of the calling thread, as the calls above left it.
    virtual DWORD lastError() = 0;
};

} // namespace dorvex

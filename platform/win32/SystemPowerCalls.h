#pragma once

#include "platform/win32/PowerCalls.h"

namespace dorvex {

// The real calls: used by the program only, never by a test.
class SystemPowerCalls : public PowerCalls {
public:
    BOOL lookupPrivilegeValue(const char* name, LUID& value) override;
    HANDLE currentProcess() override;
    BOOL openProcessToken(HANDLE process, DWORD access, HANDLE& token) override;
    BOOL adjustTokenPrivileges(HANDLE token, const TOKEN_PRIVILEGES& request,
                               TOKEN_PRIVILEGES& previous, DWORD& returnedLength) override;
    void closeHandle(HANDLE handle) override;
    BOOL exitWindows(UINT flags, DWORD reason) override;
    void setSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN wakeEventsDisabled) override;
    DWORD lastError() override;
};

} // namespace dorvex

#pragma once

#include <windows.h>
#include <wtsapi32.h>

namespace dorvex {

// The Remote Desktop Services calls that tell of the machine's sessions, one function each, so
// that tests can answer in their place. Every buffer they hand out goes back through freeMemory.
class SessionCalls {
public:
    virtual ~SessionCalls() = default;
    virtual BOOL processIdToSessionId(DWORD process, DWORD& session) = 0;
    // WTSEnumerateSessionsW on this machine.
    virtual BOOL enumerateSessions(WTS_SESSION_INFOW*& sessions, DWORD& count) = 0;
    // WTSQuerySessionInformationW on this machine.
    virtual BOOL querySession(DWORD session, WTS_INFO_CLASS what, LPWSTR& buffer, DWORD& bytes) = 0;
    virtual void freeMemory(void* memory) = 0;
    // The last error of the calling thread, as the calls above left it.
    virtual DWORD lastError() = 0;
};

// The real calls.
class SystemSessionCalls : public SessionCalls {
public:
    BOOL processIdToSessionId(DWORD process, DWORD& session) override;
    BOOL enumerateSessions(WTS_SESSION_INFOW*& sessions, DWORD& count) override;
    BOOL querySession(DWORD session, WTS_INFO_CLASS what, LPWSTR& buffer, DWORD& bytes) override;
    void freeMemory(void* memory) override;
    DWORD lastError() override;
};

} // namespace dorvex

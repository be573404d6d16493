#include "platform/win32/SessionCalls.h"

namespace dorvex {

BOOL SystemSessionCalls::processIdToSessionId(DWORD process, DWORD& session) {
    return ::ProcessIdToSessionId(process, &session);
}

BOOL SystemSessionCalls::enumerateSessions(WTS_SESSION_INFOW*& sessions, DWORD& count) {
    return ::WTSEnumerateSessionsW(WTS_CURRENT_SERVER_HANDLE, 0, 1, &sessions, &count);
}

BOOL SystemSessionCalls::querySession(DWORD session, WTS_INFO_CLASS what, LPWSTR& buffer,
                                      DWORD& bytes) {
    return ::WTSQuerySessionInformationW(WTS_CURRENT_SERVER_HANDLE, session, what, &buffer, &bytes);
}

void SystemSessionCalls::freeMemory(void* memory) {
    ::WTSFreeMemory(memory);
}

DWORD SystemSessionCalls::lastError() {
    return ::GetLastError();
}

} // namespace dorvex

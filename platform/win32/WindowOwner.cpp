#include "platform/win32/WindowOwner.h"

#include <vector>

namespace dorvex {

namespace {

// The TOKEN_USER of the process's token; empty when it cannot be read.
std::vector<BYTE> tokenUser(HANDLE process) {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return {};
    }
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !::GetTokenInformation(token, TokenUser, user.data(), size, &size)) {
        user.clear();
    }
    ::CloseHandle(token);
    return user;
}

PSID sidOf(std::vector<BYTE>& user) {
    return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

} // namespace

bool windowOfSameUser(HWND window) {
    DWORD processId = 0;
    if (window == nullptr || ::GetWindowThreadProcessId(window, &processId) == 0) {
        return false;
    }
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    std::vector<BYTE> theirs = tokenUser(process);
    ::CloseHandle(process);
    std::vector<BYTE> ours = tokenUser(::GetCurrentProcess());
    return !theirs.empty() && !ours.empty() && ::EqualSid(sidOf(theirs), sidOf(ours));
}

} // namespace dorvex

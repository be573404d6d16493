#include "platform/win32/Win32Accounts.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace dorvex {

namespace {

// The account name of a security identifier on this computer; empty when it has none.
std::string accountName(PSID sid) {
    char name[255];
    char domain[255];
    DWORD nameLength = sizeof name;
    DWORD domainLength = sizeof domain;
    SID_NAME_USE use{};
    if (!::LookupAccountSidA(nullptr, sid, name, &nameLength, domain, &domainLength, &use)) {
        return {};
    }
    return std::string(name, nameLength);
}

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
struct SidFreer {
    void operator()(PSID sid) const { ::FreeSid(sid); }
};

// The groups of the process's token, in its own order; empty on any failure.
std::vector<char> tokenGroups() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_READ, &token)) {
        return {};
    }
    const std::unique_ptr<void, HandleCloser> closer(token);
    DWORD needed = 0;
    if (::GetTokenInformation(token, TokenGroups, nullptr, 0, &needed) || needed == 0) {
        return {};
    }
    std::vector<char> groups(needed);
    if (!::GetTokenInformation(token, TokenGroups, groups.data(), needed, &needed)) {
        return {};
    }
    return groups;
}

} // namespace

bool Win32Accounts::userIsAdministrator() {
    const std::vector<char> buffer = tokenGroups();
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (buffer.empty() ||
        !::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                    DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        return false;
    }
    const std::unique_ptr<void, SidFreer> freer(administrators);
    const std::string wanted = accountName(administrators);
    if (wanted.empty()) {
        return false;
    }
    const auto& groups = *reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD index = 0; index < groups.GroupCount; ++index) {
        if (accountName(groups.Groups[index].Sid) == wanted) {
            return true;
        }
    }
    return false;
}

} // namespace dorvex

#pragma once

#include "platform/SignsOfUse.h"
#include "platform/signs/SessionSign.h"
#include "platform/win32/SessionCalls.h"

#include <iostream>
#include <optional>

namespace dorvex {

// Other sessions in use, as Remote Desktop Services tell: someone working over Remote Desktop, or
// another user at the machine while this program's session is in the background (fast user
// switching). The sessions are listed once a tick and each other active one is asked for its last
// input; the rule and the texts are those of the login manager's sessions on Linux.
class Win32OtherSessions : public SignSource {
public:
    explicit Win32OtherSessions(SessionCalls& calls, std::ostream& diagnostics = std::cerr)
        : calls_(calls), diagnostics_(diagnostics) {}

    SignKind kind() const override { return SignKind::Presence; }
    void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) override;

private:
    // False when the program's session is not known, and no other can be told from it.
    bool knowOwnSession();
    SessionProperties properties(const WTSINFOW& info, std::chrono::system_clock::time_point now);
    bool remote(const WTSINFOW& info);
    bool ownUser(const WTSINFOW& info) const;
    void failed(const char* call);

    SessionCalls& calls_;
    std::ostream& diagnostics_;
    std::optional<DWORD> own_;
    std::wstring ownUser_, ownDomain_; // empty when not known
    bool told_ = false;                // of a failing call
};

} // namespace dorvex

#pragma once

#include "platform/SignsOfUse.h"
#include "platform/win32/WakeRequestCalls.h"

#include <iostream>

namespace dorvex {

// A program keeping the system or the display on (SetThreadExecutionState), as the power
// manager's execution state tells, asked once a tick. The state does not say which program it
// is. This program makes no such request of its own that it would have to leave out.
class Win32WakeRequests : public SignSource {
public:
    explicit Win32WakeRequests(WakeRequestCalls& calls, std::ostream& diagnostics = std::cerr)
        : calls_(calls), diagnostics_(diagnostics) {}

    SignKind kind() const override { return SignKind::Presence; }
    void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) override;

private:
    WakeRequestCalls& calls_;
    std::ostream& diagnostics_;
    bool told_ = false; // of a failing call
};

} // namespace dorvex

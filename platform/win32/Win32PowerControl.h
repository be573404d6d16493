#pragma once

#include "platform/PowerControl.h"
#include "platform/win32/PowerCalls.h"

namespace dorvex {

// Power off and hibernation through the shutdown privilege of the process's own token,
// ExitWindowsEx and SetSuspendState; failures carry the system's text of the failing call.
class Win32PowerControl : public PowerControl {
public:
    explicit Win32PowerControl(PowerCalls& calls) : calls_(calls) {}

    PrivilegeResult enableShutdownPrivilege(PowerAction action) override;
    PowerRequestResult exitSystem(std::uint32_t flags) override;
    PowerRequestResult hibernate() override;

    // Given with every exit request: no reason of the system's list.
    static constexpr DWORD exitReason = 0xFFFFFFFF;

private:
    PrivilegeResult failed(PrivilegeFailure failure);

    PowerCalls& calls_;
};

} // namespace dorvex

#pragma once

#include <cstdint>
#include <string>

namespace dorvex {

enum class PowerAction { PowerOff, Hibernate };

// Which step of enabling the shutdown privilege failed.
enum class PrivilegeFailure {
    None,
    PrivilegeNotFound, // the privilege or the power service cannot be found
    NoCurrentProcess,  // the current process cannot be determined
    NotPermitted,      // the user may not shut the system down
};

struct PrivilegeResult {
    PrivilegeFailure failure = PrivilegeFailure::None;
    std::string systemText; // the system's text for the failure, may be empty
};

struct PowerRequestResult {
    bool accepted = false;
    std::string systemText; // the system's text when not accepted
};

// The operating system's power requests. Implementations must never report a refused request as
// accepted.
class PowerControl {
public:
    virtual ~PowerControl() = default;
    virtual PrivilegeResult enableShutdownPrivilege(PowerAction action) = 0;
    // Exit flags: log off 0, shut down 1, reboot 2, force 4, power off 8, force if hung 16.
    // Returns as soon as the system has accepted or refused the request.
    virtual PowerRequestResult exitSystem(std::uint32_t flags) = 0;
    // Returns after the machine has hibernated and resumed, or at once when the system refused.
    virtual PowerRequestResult hibernate() = 0;
};

} // namespace dorvex

#pragma once

#include "platform/PowerControl.h"

#include <cstdint>

namespace dorvex {

class Program;

// Asks the system to power off or hibernate. Every failure is raised as a ShutdownError.
class MdShut {
public:
    explicit MdShut(Program& program) : program_(program) {}

    // Exit flags: log off 0, shut down 1, reboot 2, force 4, power off 8, force if hung 16.
    bool ShutdownSystem(std::int32_t flags);
    // Returns after the machine has resumed; may run the event loop while it waits.
    bool Hibernate_System();
    bool Enable_ShutdownPrivilege(PowerAction action);

    static constexpr std::int32_t ShutdownFailed = static_cast<std::int32_t>(0x8004062B);
    static constexpr std::int32_t PrivilegeNotFound = static_cast<std::int32_t>(0x8004062C);
    static constexpr std::int32_t NoCurrentProcess = static_cast<std::int32_t>(0x8004062D);
    static constexpr std::int32_t NoPrivilege = static_cast<std::int32_t>(0x8004062E);
    static constexpr std::int32_t InvalidParameter = static_cast<std::int32_t>(0x8004062F);

private:
    [[noreturn]] void raise(std::int32_t number, const std::string& description);

    Program& program_;
};

} // namespace dorvex

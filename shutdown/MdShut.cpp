#include "shutdown/MdShut.h"

#include "app/Program.h"
#include "shutdown/ShutdownError.h"

namespace dorvex {

void MdShut::raise(std::int32_t number, const std::string& description) {
    throw ShutdownError(number, std::string(ExecutableName) + ".mShutDown", description);
}

bool MdShut::Enable_ShutdownPrivilege(PowerAction action) {
    const PrivilegeResult result = program_.platform.power.enableShutdownPrivilege(action);
    const std::string text = " [" + result.systemText + "]";
    switch (result.failure) {
    case PrivilegeFailure::None:
        return true;
    case PrivilegeFailure::PrivilegeNotFound:
        raise(PrivilegeNotFound,
              "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value." + text);
    case PrivilegeFailure::NoCurrentProcess:
        raise(NoCurrentProcess,
              "Can't enable shutdown: Can't determine the current process." + text);
    case PrivilegeFailure::NotPermitted:
        break;
    }
    raise(NoPrivilege,
          "Can't enable shutdown: You do not have the privileges to shutdown this system." + text);
}

bool MdShut::ShutdownSystem(std::int32_t flags) {
    if (flags < 0 || flags > 31) {
        raise(InvalidParameter, "Invalid parameter to ShutdownSystem: " + std::to_string(flags));
    }
    Enable_ShutdownPrivilege(PowerAction::PowerOff);
    const PowerRequestResult result =
        program_.platform.power.exitSystem(static_cast<std::uint32_t>(flags));
    if (!result.accepted) {
        raise(ShutdownFailed, "ShutdownSystem failed: " + result.systemText);
    }
    return true;
}

bool MdShut::Hibernate_System() {
    Enable_ShutdownPrivilege(PowerAction::Hibernate);
    // A refused hibernation must not be logged as a hibernation and a resume.
    const PowerRequestResult result = program_.platform.power.hibernate();
    if (!result.accepted) {
        raise(ShutdownFailed, "Hibernate_System failed: " + result.systemText);
    }
    return true;
}

} // namespace dorvex

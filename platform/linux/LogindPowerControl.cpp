#include "platform/linux/LogindPowerControl.h"

#include "platform/linux/LoginManagerBus.h"

namespace dorvex {

namespace {

constexpr std::uint32_t rebootFlag = 2;
constexpr std::uint32_t shutDownFlag = 1;
constexpr std::uint32_t powerOffFlag = 8;

const char* exitMethod(std::uint32_t flags) {
    if ((flags & powerOffFlag) != 0 || (flags & (rebootFlag | shutDownFlag)) == shutDownFlag) {
        return "PowerOff";
    }
    if ((flags & rebootFlag) != 0) {
        return "Reboot";
    }
    return nullptr;
}

// A refusal while another program blocks the request is that program's doing: it is named
// instead of the bus's bare text.
PowerRequestResult refused(LoginManagerBus& bus, std::string_view blocked) {
    if (const auto holder = bus.blockingInhibitor({blocked})) {
        return {false, holder->text()};
    }
    return {false, bus.failureText()};
}

} // namespace

PrivilegeResult LogindPowerControl::enableShutdownPrivilege(PowerAction action) {
    const char* method = action == PowerAction::Hibernate ? "CanHibernate" : "CanPowerOff";
    LoginManagerBus bus;
    const auto answer = bus.failed() ? std::nullopt : bus.ask(method);
    if (!answer) {
        // A bus that refuses the caller is a missing right; any other failure a missing service.
        return {bus.accessDenied() ? PrivilegeFailure::NotPermitted
                                   : PrivilegeFailure::PrivilegeNotFound,
                bus.failureText()};
    }
    // "challenge" would need the user to authenticate, which a request made without asking cannot
    // do: it is refused like "no".
    if (*answer == "yes") {
        return {};
    }
    return {PrivilegeFailure::NotPermitted, std::string(method) + " answered \"" + *answer + "\""};
}

PowerRequestResult LogindPowerControl::exitSystem(std::uint32_t flags) {
    const char* method = exitMethod(flags);
    if (method == nullptr) {
        return {false, "Logging off is not supported"};
    }
    LoginManagerBus bus;
    if (bus.failed() || !bus.request(method)) {
        return refused(bus, "shutdown");
    }
    return {true, ""};
}

PowerRequestResult LogindPowerControl::hibernate() {
    LoginManagerBus bus;
    // Listening starts before the request so that no signal is missed.
    if (bus.failed() || !bus.watchSleep() || !bus.request("Hibernate")) {
        return refused(bus, "sleep");
    }
    const auto sleepDeadline = std::chrono::steady_clock::now() + waits_.toSleep;
    while (!bus.enteredSleep()) {
        if (!bus.handleNext(sleepDeadline)) {
            return {false, "The system did not hibernate"};
        }
    }
    const auto resumeDeadline = std::chrono::steady_clock::now() + waits_.toResume;
    while (!bus.resumed() && bus.handleNext(resumeDeadline)) {
    }
    return {true, ""};
}

} // namespace dorvex

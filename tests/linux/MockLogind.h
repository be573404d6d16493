#pragma once

#include "tests/linux/PrivateBus.h"

namespace dorvex::test {

// python-dbusmock's logind template on a system bus of the test's own, so no request can reach
// the machine's real login manager.
class MockLogind {
public:
    // True when $DBUS_SYSTEM_BUS_ADDRESS names the test's own bus.
    bool ownsSystemBusAddress() const { return bus_.ownsAddress(); }

    // The method calls the mock has received, as gdbus prints them.
    std::string calls() const { return callMock({"GetCalls"}); }
    void clearCalls() const { callMock({"ClearCalls"}); }
    // Replaces a method of the login manager; `code` is Python, as dbusmock takes it.
    void replaceMethod(const std::string& name, const std::string& inSignature,
                       const std::string& outSignature, const std::string& code) const {
        callMock({"AddMethod", manager, name, inSignature, outSignature, code});
    }
    void emitPrepareForSleep(bool sleeping) const {
        callMock(
            {"EmitSignal", manager, "PrepareForSleep", "b", sleeping ? "[<true>]" : "[<false>]"});
    }
    // Makes ListInhibitors answer with one lock that process `pid` holds, or none for "", and
    // tells of the change as the login manager does when a lock is taken or let go.
    void listLock(const std::string& what, const std::string& mode = "block",
                  int pid = 4242) const {
        const std::string lock = "('" + what + "', 'Totem', 'Playing a video', '" + mode +
                                 "', 1000, " + std::to_string(pid) + ")";
        replaceMethod("ListInhibitors", "", "a(ssssuu)",
                      what.empty() ? "ret = []" : "ret = [" + lock + "]");
        callMock({"EmitSignal", "org.freedesktop.DBus.Properties", "PropertiesChanged", "sa{sv}as",
                  "[<'" + std::string(manager) + "'>, <@a{sv} {}>, <['BlockInhibited']>]"});
    }
    // Takes the login manager off the bus; the bus stays.
    void stopService() { service_.reset(); }
    void pointToMissingBus() { bus_.pointToMissingBus(); }

private:
    static constexpr const char* manager = "org.freedesktop.login1.Manager";

    std::string callMock(const std::vector<std::string>& methodAndArguments) const {
        return bus_.callMock("org.freedesktop.login1", "/org/freedesktop/login1",
                             methodAndArguments);
    }

    PrivateBus bus_{"DBUS_SYSTEM_BUS_ADDRESS"};
    std::unique_ptr<ChildProcess> service_ =
        bus_.startMock("org.freedesktop.login1", {"--system", "--template", "logind"});
};

} // namespace dorvex::test

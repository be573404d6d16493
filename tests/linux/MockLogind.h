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
    // Adds a session of `user` on seat0 with the properties `changes` (a{sv}, as gdbus reads it)
    // sets, told of with SessionNew when `told`; dropped with SessionRemoved.
    void addSession(const std::string& id, unsigned uid, const std::string& user,
                    const std::string& changes, bool told) const {
        callMock({"AddSession", id, "seat0", std::to_string(uid), user, "true"});
        bus_.callMock(service, sessionPath(id),
                      {"UpdateProperties", "org.freedesktop.login1.Session", changes});
        if (told) {
            emitSessionSignal("SessionNew", id);
        }
    }
    void removeSession(const std::string& id) const {
        callMock({"RemoveObject", sessionPath(id)});
        emitSessionSignal("SessionRemoved", id);
    }
    static std::string sessionPath(const std::string& id) {
        return "/org/freedesktop/login1/session/" + id;
    }
    // Takes the login manager off the bus; the bus stays.
    void stopService() { service_.reset(); }
    void pointToMissingBus() { bus_.pointToMissingBus(); }

private:
    static constexpr const char* service = "org.freedesktop.login1";
    static constexpr const char* manager = "org.freedesktop.login1.Manager";

    void emitSessionSignal(const std::string& name, const std::string& id) const {
        callMock({"EmitSignal", manager, name, "so",
                  "[<'" + id + "'>, <objectpath '" + sessionPath(id) + "'>]"});
    }

    std::string callMock(const std::vector<std::string>& methodAndArguments) const {
        return bus_.callMock(service, "/org/freedesktop/login1", methodAndArguments);
    }

    PrivateBus bus_{"DBUS_SYSTEM_BUS_ADDRESS"};
    std::unique_ptr<ChildProcess> service_ =
        bus_.startMock(service, {"--system", "--template", "logind"});
};

} // namespace dorvex::test

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
    // Another process takes an inhibitor lock ("sleep:idle", "block"), held until the returned
    // process goes.
    std::unique_ptr<ChildProcess> inhibit(const std::string& what, const std::string& mode) const {
        auto holder = std::make_unique<ChildProcess>(std::vector<std::string>{
            "/usr/bin/python3", "-c",
            "import dbus, sys, time\n"
            "login = dbus.SystemBus().get_object('org.freedesktop.login1', "
            "'/org/freedesktop/login1')\n"
            "lock = login.Inhibit(sys.argv[1], 'Totem', 'Playing a video', sys.argv[2], "
            "dbus_interface='org.freedesktop.login1.Manager')\n"
            "print('held', flush=True)\n"
            "time.sleep(60)\n",
            what, mode});
        if (holder->readLine(std::chrono::seconds(20)) != "held") {
            throw std::runtime_error("no inhibitor lock");
        }
        return holder;
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

    PrivateBus bus_{true};
    std::unique_ptr<ChildProcess> service_ =
        bus_.startMock("org.freedesktop.login1", {"--template", "logind"});
};

} // namespace dorvex::test

#pragma once

#include "tests/linux/ChildProcess.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace dorvex::test {

// A message bus of the test's own, on a socket in a temporary folder, with python-dbusmock's
// logind template on it. While it exists, $DBUS_SYSTEM_BUS_ADDRESS names it, so no request can
// reach the machine's real login manager.
class MockLogind {
public:
    MockLogind() {
        // The session configuration lets everyone own and call anything, as a test bus should;
        // the daemon prints its address once it listens.
        if (!bus_.readLine(std::chrono::seconds(20))) {
            throw std::runtime_error("dbus-daemon did not start");
        }
        // Debian's python3 has dbusmock; another python3 first on PATH may not. The mock logs
        // every call on its standard output, which nobody reads.
        service_ = std::make_unique<ChildProcess>(std::vector<std::string>{
            "sh", "-c", "exec \"$@\" >/dev/null 2>&1", "sh", "/usr/bin/python3", "-m", "dbusmock",
            "--system", "--template", "logind"});
        if (runCommand({"gdbus", "wait", "--address", address_, "--timeout", "20",
                        "org.freedesktop.login1"})
                .status != 0) {
            throw std::runtime_error("the mock login manager did not start");
        }
    }

    // True when $DBUS_SYSTEM_BUS_ADDRESS names a socket inside this object's folder.
    bool ownsSystemBusAddress() const {
        const char* current = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
        return current != nullptr &&
               std::string(current).starts_with("unix:path=" + folder_.path().string() + "/");
    }

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
    // Takes the login manager off the bus; the bus stays.
    void stopService() { service_.reset(); }
    // Points $DBUS_SYSTEM_BUS_ADDRESS to a socket in this folder on which nobody listens.
    void pointToMissingBus() {
        systemBus_.reset();
        systemBus_ = std::make_unique<ScopedEnvironment>(
            "DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (folder_.path() / "missing").string());
    }

private:
    static constexpr const char* manager = "org.freedesktop.login1.Manager";

    std::string callMock(const std::vector<std::string>& methodAndArguments) const {
        std::vector<std::string> command{
            "gdbus",         "call",
            "--address",     address_,
            "--dest",        "org.freedesktop.login1",
            "--object-path", "/org/freedesktop/login1",
            "--method",      "org.freedesktop.DBus.Mock." + methodAndArguments.front()};
        command.insert(command.end(), methodAndArguments.begin() + 1, methodAndArguments.end());
        const CommandResult result = runCommand(command);
        if (result.status != 0) {
            throw std::runtime_error("the mock refused " + methodAndArguments.front());
        }
        return result.output;
    }

    TempFolder folder_;
    std::string address_ = "unix:path=" + (folder_.path() / "bus").string();
    std::unique_ptr<ScopedEnvironment> systemBus_ =
        std::make_unique<ScopedEnvironment>("DBUS_SYSTEM_BUS_ADDRESS", address_);
    ChildProcess bus_{{"dbus-daemon", "--session", "--address=" + address_, "--nofork",
                       "--nopidfile", "--print-address=1"}};
    std::unique_ptr<ChildProcess> service_;
};

} // namespace dorvex::test

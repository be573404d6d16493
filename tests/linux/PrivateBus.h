#pragma once

#include "tests/linux/ChildProcess.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace dorvex::test {

// A message bus of the test's own, on a socket in a temporary folder, for python-dbusmock's
// services. While it exists, `variable` ($DBUS_SYSTEM_BUS_ADDRESS or $DBUS_SESSION_BUS_ADDRESS)
// names it, so no call can reach the machine's own bus.
class PrivateBus {
public:
    explicit PrivateBus(std::string variable) : variable_(std::move(variable)) {
        // The session configuration lets everyone own and call anything, as a test bus should;
        // the daemon prints its address once it listens.
        if (!daemon_.readLine(std::chrono::seconds(20))) {
            throw std::runtime_error("dbus-daemon did not start");
        }
    }

    // Starts dbusmock with `arguments` ("--system" first for the system bus) and waits until `name`
    // is on the bus. Debian's python3 has dbusmock, another one first on PATH may not; its log of
    // every call goes unread.
    std::unique_ptr<ChildProcess> startMock(const std::string& name,
                                            const std::vector<std::string>& arguments) const {
        std::vector<std::string> command{
            "sh", "-c", "exec /usr/bin/python3 -m dbusmock \"$@\" >/dev/null 2>&1", "sh"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        auto mock = std::make_unique<ChildProcess>(command);
        const CommandResult up =
            runCommand({"gdbus", "wait", "--address", address_, "--timeout", "20", name});
        if (up.status != 0) {
            throw std::runtime_error("the mock " + name + " did not start");
        }
        return mock;
    }

    // Calls a method of dbusmock's own interface on the object `path` of `name`.
    std::string callMock(const std::string& name, const std::string& path,
                         const std::vector<std::string>& methodAndArguments) const {
        std::vector<std::string> command{
            "gdbus",         "call",
            "--address",     address_,
            "--dest",        name,
            "--object-path", path,
            "--method",      "org.freedesktop.DBus.Mock." + methodAndArguments.front()};
        command.insert(command.end(), methodAndArguments.begin() + 1, methodAndArguments.end());
        const CommandResult result = runCommand(command);
        if (result.status != 0) {
            throw std::runtime_error("the mock refused " + methodAndArguments.front());
        }
        return result.output;
    }

    // True when the bus variable names a socket inside this object's folder.
    bool ownsAddress() const {
        const char* current = std::getenv(variable_.c_str());
        return current != nullptr &&
               std::string(current).starts_with("unix:path=" + folder_.path().string() + "/");
    }
    // Points the bus variable to a socket in this folder on which nobody listens.
    void pointToMissingBus() {
        environment_.reset();
        environment_ = std::make_unique<ScopedEnvironment>(
            variable_, "unix:path=" + (folder_.path() / "missing").string());
    }

private:
    std::string variable_;
    TempFolder folder_;
    std::string address_ = "unix:path=" + (folder_.path() / "bus").string();
    std::unique_ptr<ScopedEnvironment> environment_ =
        std::make_unique<ScopedEnvironment>(variable_, address_);
    ChildProcess daemon_{{"dbus-daemon", "--session", "--address=" + address_, "--nofork",
                          "--nopidfile", "--print-address=1"}};
};

} // namespace dorvex::test

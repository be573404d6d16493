#include "tests/linux/MockLogind.h"

#include <cstdlib>
#include <stdexcept>

namespace dorvex::test {

MockLogind::MockLogind(const std::string& parameters)
    : systemBus_(std::make_unique<ScopedEnvironment>("DBUS_SYSTEM_BUS_ADDRESS", address_)) {
    // The session configuration lets everyone own and call anything, as a test bus should; the
    // daemon prints its address once it listens.
    bus_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"dbus-daemon", "--session", "--address=" + address_, "--nofork",
                                 "--nopidfile", "--print-address=1"});
    if (!bus_->readLine(std::chrono::seconds(20))) {
        throw std::runtime_error("dbus-daemon did not start");
    }
    // Debian's python3 has dbusmock; another python3 first on PATH may not. The mock logs every
    // call on its standard output, which nobody reads.
    service_ = std::make_unique<ChildProcess>(std::vector<std::string>{
        "sh", "-c", "exec \"$@\" >/dev/null 2>&1", "sh", "/usr/bin/python3", "-m", "dbusmock",
        "--system", "--template", "logind", "--parameters", parameters});
    if (runCommand(
            {"gdbus", "wait", "--address", address_, "--timeout", "20", "org.freedesktop.login1"})
            .status != 0) {
        throw std::runtime_error("the mock login manager did not start");
    }
}

bool MockLogind::ownsSystemBusAddress() const {
    const char* current = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    return current != nullptr &&
           std::string(current).starts_with("unix:path=" + folder_.path().string() + "/");
}

std::string MockLogind::callMock(const std::vector<std::string>& methodAndArguments) const {
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

void MockLogind::pointToMissingBus() {
    systemBus_.reset();
    systemBus_ = std::make_unique<ScopedEnvironment>(
        "DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (folder_.path() / "missing").string());
}

} // namespace dorvex::test

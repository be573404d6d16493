#include "tests/linux/MockLogind.h"

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace dorvex::test {

namespace {

constexpr auto startLimit = std::chrono::seconds(20);

} // namespace

MockLogind::MockLogind(const std::string& parameters) {
    address_ = "unix:path=" + (folder_.path() / "bus").string();
    systemBus_ = std::make_unique<ScopedEnvironment>("DBUS_SYSTEM_BUS_ADDRESS", address_);
    // The session configuration lets everyone own and call anything, as a test bus should; the
    // daemon prints its address once it listens.
    bus_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"dbus-daemon", "--session", "--address=" + address_, "--nofork",
                                 "--nopidfile", "--print-address=1"});
    if (!bus_->readLine(startLimit)) {
        throw std::runtime_error("dbus-daemon did not start");
    }
    // Debian's python3 has dbusmock; another python3 first on PATH may not.
    service_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"/usr/bin/python3", "-m", "dbusmock", "--system", "--template",
                                 "logind", "--parameters", parameters},
        std::vector<std::string>{"DBUS_SYSTEM_BUS_ADDRESS=" + address_},
        ChildProcess::Output::Discard);
    waitForService();
}

bool MockLogind::ownsSystemBusAddress() const {
    const char* current = std::getenv("DBUS_SYSTEM_BUS_ADDRESS");
    const std::string inside = "unix:path=" + folder_.path().string() + "/";
    return current != nullptr && std::string(current).starts_with(inside);
}

void MockLogind::waitForService() const {
    const auto deadline = std::chrono::steady_clock::now() + startLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        const CommandResult owner =
            runCommand({"gdbus", "call", "--address", address_, "--dest", "org.freedesktop.DBus",
                        "--object-path", "/org/freedesktop/DBus", "--method",
                        "org.freedesktop.DBus.NameHasOwner", "org.freedesktop.login1"});
        if (owner.output.find("true") != std::string::npos) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw std::runtime_error("the mock login manager did not start");
}

std::string MockLogind::callMock(const std::vector<std::string>& methodAndArguments) const {
    std::vector<std::string> command{"gdbus",         "call",
                                     "--address",     address_,
                                     "--dest",        "org.freedesktop.login1",
                                     "--object-path", "/org/freedesktop/login1",
                                     "--method"};
    command.push_back("org.freedesktop.DBus.Mock." + methodAndArguments.front());
    command.insert(command.end(), methodAndArguments.begin() + 1, methodAndArguments.end());
    const CommandResult result = runCommand(command);
    if (result.status != 0) {
        throw std::runtime_error("the mock refused " + methodAndArguments.front());
    }
    return result.output;
}

std::string MockLogind::calls() const {
    return callMock({"GetCalls"});
}

void MockLogind::clearCalls() const {
    callMock({"ClearCalls"});
}

void MockLogind::replaceMethod(const std::string& name, const std::string& inSignature,
                               const std::string& outSignature, const std::string& code) const {
    callMock(
        {"AddMethod", "org.freedesktop.login1.Manager", name, inSignature, outSignature, code});
}

void MockLogind::emitPrepareForSleep(bool sleeping) const {
    callMock({"EmitSignal", "org.freedesktop.login1.Manager", "PrepareForSleep", "b",
              sleeping ? "[<true>]" : "[<false>]"});
}

void MockLogind::pointToMissingBus() {
    systemBus_.reset();
    systemBus_ = std::make_unique<ScopedEnvironment>(
        "DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (folder_.path() / "missing").string());
}

} // namespace dorvex::test

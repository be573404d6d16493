#pragma once

#include "tests/linux/ChildProcess.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <memory>
#include <string>

namespace dorvex::test {

// A message bus of the test's own, on a socket in a temporary folder, with python-dbusmock's
// logind template on it. While it exists, $DBUS_SYSTEM_BUS_ADDRESS names it, so no request can
// reach the machine's real login manager.
class MockLogind {
public:
    // `parameters`: the template's parameters as JSON, such as {"CanPowerOff": "no"}.
    explicit MockLogind(const std::string& parameters = "{}");

    const std::string& address() const { return address_; }
    // True when $DBUS_SYSTEM_BUS_ADDRESS names a socket inside this object's folder.
    bool ownsSystemBusAddress() const;

    // The method calls the mock has received, as gdbus prints them.
    std::string calls() const;
    void clearCalls() const;
    // Replaces a method of the login manager; `code` is Python, as dbusmock takes it.
    void replaceMethod(const std::string& name, const std::string& inSignature,
                       const std::string& outSignature, const std::string& code) const;
    void emitPrepareForSleep(bool sleeping) const;
    // Takes the login manager off the bus; the bus stays.
    void stopService() { service_.reset(); }
    // Points $DBUS_SYSTEM_BUS_ADDRESS to a socket in this folder on which nobody listens.
    void pointToMissingBus();

private:
    std::string callMock(const std::vector<std::string>& methodAndArguments) const;
    void waitForService() const;

    TempFolder folder_;
    std::string address_;
    std::unique_ptr<ChildProcess> bus_;
    std::unique_ptr<ChildProcess> service_;
    std::unique_ptr<ScopedEnvironment> systemBus_;
};

} // namespace dorvex::test

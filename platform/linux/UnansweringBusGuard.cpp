#include "platform/linux/UnansweringBusGuard.h"

#include "platform/linux/BoundedBusCall.h"

#include <cstdlib>
#include <ostream>

namespace dorvex {

namespace {

constexpr const char* variable = "DBUS_SESSION_BUS_ADDRESS";
// A bus answers its own peer at once; half a second is plenty also at a busy login, where hiding
// a bus that works would cost the tray of a desktop that has no other.
constexpr std::chrono::milliseconds answerTime{500};

} // namespace

UnansweringBusGuard::UnansweringBusGuard(std::ostream& diagnostics) {
    if (!sessionBusHangs(answerTime)) {
        return;
    }
    if (const char* address = std::getenv(variable)) {
        address_ = address;
    }
    // A path below a file: connecting fails at once.
    hidden_ = ::setenv(variable, "unix:path=/dev/null/no-bus", 1) == 0;
    diagnostics << "Dorvex Zede: the session bus does not answer; the program starts without it\n";
}

UnansweringBusGuard::~UnansweringBusGuard() {
    if (!hidden_) {
        return;
    }
    if (address_) {
        ::setenv(variable, address_->c_str(), 1);
    } else {
        ::unsetenv(variable);
    }
}

} // namespace dorvex

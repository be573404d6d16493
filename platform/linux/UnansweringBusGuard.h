#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace dorvex {

// A session bus that takes connections but never answers (its daemon stopped, a socket nobody
// serves) would hold the first synchronous call of a library for minutes: Qt's look for a tray
// host among them. While this object lives, such a bus is hidden from every library by pointing
// DBUS_SESSION_BUS_ADDRESS where no bus is; the address comes back with its end, for the
// programs started later. A bus that answers, or none at all, is left as it is.
class UnansweringBusGuard {
public:
    explicit UnansweringBusGuard(std::ostream& diagnostics);
    ~UnansweringBusGuard();
    UnansweringBusGuard(const UnansweringBusGuard&) = delete;
    UnansweringBusGuard& operator=(const UnansweringBusGuard&) = delete;

private:
    bool hidden_ = false;
    std::optional<std::string> address_; // as it was
};

} // namespace dorvex

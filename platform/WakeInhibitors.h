#pragma once

#include <optional>
#include <string>

namespace dorvex {

// A program that asked the system not to go idle: a film player, a presentation.
struct WakeInhibitor {
    std::string who;
    std::string why;
    friend bool operator==(const WakeInhibitor&, const WakeInhibitor&) = default;

    // One line for the user.
    std::string text() const { return who + " keeps the machine awake (" + why + ")"; }
};

// Programs that keep the machine awake, asked once a tick.
class WakeInhibitors {
public:
    virtual ~WakeInhibitors() = default;
    // One program that keeps the machine awake now, if any does. Returns within a few
    // milliseconds whatever the services asked do.
    virtual std::optional<WakeInhibitor> holder() = 0;
};

} // namespace dorvex

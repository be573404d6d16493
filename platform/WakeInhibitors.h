#pragma once

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

} // namespace dorvex

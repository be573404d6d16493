#pragma once

#include <string>

namespace dorvex {

// The Wayland compositor that keyboard and mouse are watched through: the one in
// $WAYLAND_DISPLAY.
struct SessionCompositor {
    std::string socket;    // as wl_display_connect takes it; empty without one
    std::string described; // where it was found, for messages
};

SessionCompositor sessionCompositor();

} // namespace dorvex

#pragma once

#include <string>

namespace dorvex {

// The Wayland compositor that keyboard and mouse are watched through: the one in
// $WAYLAND_DISPLAY, else, on a Wayland session whose environment does not name it (one that
// says XDG_SESSION_TYPE=wayland, or a program on XWayland alone), the first socket in
// $XDG_RUNTIME_DIR.
struct SessionCompositor {
    std::string socket;    // as wl_display_connect takes it; empty without one
    std::string described; // where it was found, for messages
    std::string missing;   // why a Wayland session has none: its input cannot be watched
};

SessionCompositor sessionCompositor();

} // namespace dorvex

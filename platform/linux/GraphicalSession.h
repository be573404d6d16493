#pragma once

#include <string>

namespace dorvex {

// The Qt platform the program runs on in this environment, or why none can start: Qt itself
// would abort without a display.
struct GraphicalSession {
    std::string qtPlatform; // as QT_QPA_PLATFORM names it
    std::string missing;    // empty when the session is there
};

// A platform chosen by hand (QT_QPA_PLATFORM) stands. Else an X display that opens, XWayland's
// too, takes the X11 platform, the only one where a window can stay on top of the others; Qt
// would take Wayland first. Without one a Wayland session runs on Wayland.
GraphicalSession graphicalSession();

} // namespace dorvex

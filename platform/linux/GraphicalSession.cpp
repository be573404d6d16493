#include "platform/linux/GraphicalSession.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace dorvex {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

std::string missingGraphicalSession() {
    // A platform chosen by hand (offscreen, wayland) and a Wayland session are Qt's to judge.
    if (isSet("QT_QPA_PLATFORM") || isSet("WAYLAND_DISPLAY")) {
        return {};
    }
    if (!isSet("DISPLAY")) {
        return "neither DISPLAY nor WAYLAND_DISPLAY is set";
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return "the display " + std::string(std::getenv("DISPLAY")) + " cannot be opened";
    }
    XCloseDisplay(display);
    return {};
}

} // namespace dorvex

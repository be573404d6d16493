#include "platform/linux/GraphicalSession.h"

#include <cstdlib>
#include <xcb/xcb.h>

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
    xcb_connection_t* display = xcb_connect(nullptr, nullptr);
    const bool opened = xcb_connection_has_error(display) == 0;
    xcb_disconnect(display);
    if (!opened) {
        return "the display " + std::string(std::getenv("DISPLAY")) + " cannot be opened";
    }
    return {};
}

} // namespace dorvex

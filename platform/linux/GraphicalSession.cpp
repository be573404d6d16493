#include "platform/linux/GraphicalSession.h"

#include <cstdlib>
#include <xcb/xcb.h>

namespace dorvex {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool displayOpens() {
    xcb_connection_t* display = xcb_connect(nullptr, nullptr);
    const bool opened = xcb_connection_has_error(display) == 0;
    xcb_disconnect(display);
    return opened;
}

} // namespace

GraphicalSession graphicalSession() {
    if (std::string chosen = environmentValue("QT_QPA_PLATFORM"); !chosen.empty()) {
        return {chosen, {}};
    }
    const std::string display = environmentValue("DISPLAY");
    if (!display.empty() && displayOpens()) {
        return {"xcb", {}};
    }
    if (!environmentValue("WAYLAND_DISPLAY").empty()) {
        return {"wayland", {}};
    }
    if (display.empty()) {
        return {{}, "neither DISPLAY nor WAYLAND_DISPLAY is set"};
    }
    return {{}, "the display " + display + " cannot be opened"};
}

} // namespace dorvex

#include "platform/linux/SessionCompositor.h"

#include "platform/linux/XWaylandDisplay.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

namespace dorvex {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The compositors' sockets, wayland-0 and so on, beside their lock files; the lowest name first.
std::string firstRuntimeSocket() {
    const std::string runtime = environmentValue("XDG_RUNTIME_DIR");
    std::set<std::string> sockets;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(runtime, error), end;
         !runtime.empty() && !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename();
        if (name.starts_with("wayland-") && entry->is_socket(error)) {
            sockets.insert(name);
        }
    }
    return sockets.empty() ? std::string{} : *sockets.begin();
}

} // namespace

SessionCompositor sessionCompositor() {
    if (const std::string named = environmentValue("WAYLAND_DISPLAY"); !named.empty()) {
        return {named, "the Wayland compositor in $WAYLAND_DISPLAY (\"" + named + "\")", {}};
    }
    std::string session;
    if (environmentValue("XDG_SESSION_TYPE") == "wayland") {
        session = "XDG_SESSION_TYPE is wayland";
    } else if (displayIsXWayland()) {
        session = "the X display is XWayland";
    } else {
        return {};
    }
    if (std::string found = firstRuntimeSocket(); !found.empty()) {
        return {found, "the Wayland compositor at $XDG_RUNTIME_DIR/" + found, {}};
    }
    return {{},
            {},
            "a Wayland session (" + session +
                ") without its compositor's socket in $XDG_RUNTIME_DIR"};
}

} // namespace dorvex

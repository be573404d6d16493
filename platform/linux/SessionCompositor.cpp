#include "platform/linux/SessionCompositor.h"

#include <cstdlib>

namespace dorvex {

SessionCompositor sessionCompositor() {
    const char* named = std::getenv("WAYLAND_DISPLAY");
    // Without the variable libwayland would try "wayland-0", which may belong to another session.
    if (named == nullptr || *named == '\0') {
        return {};
    }
    return {named, "the Wayland compositor in $WAYLAND_DISPLAY (\"" + std::string(named) + "\")"};
}

} // namespace dorvex

#pragma once

struct xcb_connection_t;

namespace dorvex {

// Whether the X server is XWayland, which never sees typing and pointing in the Wayland windows
// beside its own: by its extension (Xwayland 23.1 on), else by its outputs, which it names
// XWAYLAND0, XWAYLAND1 and so on.
bool isXWayland(xcb_connection_t* connection);

// The same for the display in $DISPLAY, on a connection open for the question alone; false
// without one.
bool displayIsXWayland();

} // namespace dorvex

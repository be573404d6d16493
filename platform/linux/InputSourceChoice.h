#pragma once

#include "platform/InputDevices.h"

#include <iostream>
#include <memory>

namespace dorvex {

// The keyboard and mouse source for this session: the Wayland compositor's idle notices (the
// compositor in $WAYLAND_DISPLAY, or the one found beside XWayland), else GNOME's idle monitor,
// else X11 (which refuses a Wayland session: its input then counts as in use). Says on
// `diagnostics` which source is in use. A compositor that has not answered within a moment of the
// start, is not there yet or goes away is waited for at the polls, without holding them up, and
// the source is chosen anew once it answers.
std::unique_ptr<InputDevices> chooseInputDevices(std::ostream& diagnostics = std::cerr);

} // namespace dorvex

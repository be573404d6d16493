#pragma once

#include "platform/WindowModel.h"

#include <windows.h>

#include <string>

namespace dorvex::win32 {

// The window's popup menu at the mouse position, modal: the visible items in order, separators
// for "-". The owner comes to the foreground first, so that a click elsewhere dismisses the
// menu. Returns the chosen item's name, or nothing when dismissed.
std::string runPopupMenu(const WindowModel& window, HWND owner);

} // namespace dorvex::win32

#pragma once

#include "platform/WindowSystem.h"

#include <windows.h>

#include <optional>
#include <string>

namespace dorvex::win32 {

// A modal MessageBoxA with an OK button above every window, its title and text also written to
// standard error. With a time, the box closes by itself then unless the user closed it before;
// the timer closes only the box it was started for, even when another box has the same title.
// An owner (or none) keeps the box above a window that stays on top.
void runMessageBox(HWND owner, const std::string& title, const std::string& text, MessageIcon icon,
                   std::optional<int> closeAfterMs);

// A window of the thread went on top (the countdown) or off it while boxes are open. On top, it
// takes input again, though the newest box disabled it, and the boxes go above it; off top, it
// is disabled again until they close, which enables it as it enables every other.
void boxesSeeTopmost(HWND window, bool onTop);

} // namespace dorvex::win32

#pragma once

#include "platform/win32/gui/Annotations.h"
#include "platform/win32/gui/GdiCache.h"
#include "platform/win32/gui/Pictures.h"

#include <windows.h>

namespace dorvex::win32 {

// What every native window shares: the module, fonts and brushes, pictures, what screen readers
// are told, and whether the program still takes events.
struct WindowContext {
    HINSTANCE instance;
    GdiCache gdi;
    Pictures pictures;
    Annotations annotations;
    bool running = true;
    // The program's window that was active last; activating it again is no new activation.
    const void* lastActive = nullptr;
};

} // namespace dorvex::win32

#pragma once

#include <windows.h>

namespace dorvex {

// Whether the process that made the window runs as the same user as this one; false when that
// cannot be learnt (the window is gone, the process may not be asked).
bool windowOfSameUser(HWND window);

} // namespace dorvex

#pragma once

#include "platform/WindowModel.h"
#include "platform/WindowSystem.h"

namespace dorvex {

// Places the window in the middle of the screen.
inline void centreOnScreen(WindowModel& window, const ScreenSize& screen) {
    window.left = screen.width / 2 - window.clientWidth / 2;
    window.top = screen.height / 2 - window.clientHeight / 2;
}

} // namespace dorvex

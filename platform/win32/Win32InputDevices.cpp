#include "platform/win32/Win32InputDevices.h"

#include <windows.h>

namespace dorvex {

namespace {

// The tick count of the last input to the session; 0 when the system does not tell.
std::uint32_t lastInputTime() {
    LASTINPUTINFO info{sizeof info, 0};
    return ::GetLastInputInfo(&info) ? info.dwTime : 0;
}

} // namespace

Win32InputDevices::Win32InputDevices() : lastInputTime_(lastInputTime()) {}

InputPoll Win32InputDevices::poll() {
    InputPoll input;
    if (POINT point{}; ::GetCursorPos(&point)) {
        input.position = CursorPosition{point.x, point.y};
    }
    // A code counts when its key is down now or was pressed since the previous query.
    for (int code = 0; code < 256; ++code) {
        input.keys[static_cast<std::size_t>(code)] = ::GetAsyncKeyState(code) != 0;
    }
    // The system does not say which device the input came from.
    const std::uint32_t time = lastInputTime();
    input.raw.keyboardOrMouse = time != lastInputTime_;
    lastInputTime_ = time;
    return input;
}

} // namespace dorvex

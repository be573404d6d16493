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

bool Win32InputDevices::cursorPosition(CursorPosition& position) {
    POINT point{};
    if (!::GetCursorPos(&point)) {
        return false;
    }
    position = {point.x, point.y};
    return true;
}

// A code counts when its key is down now or was pressed since the previous query.
KeyCodes Win32InputDevices::keysReported() {
    KeyCodes keys;
    for (int code = 0; code < 256; ++code) {
        keys[static_cast<std::size_t>(code)] = ::GetAsyncKeyState(code) != 0;
    }
    return keys;
}

// The system does not say which device the input came from: it counts for both.
RawInput Win32InputDevices::rawInputReported() {
    const std::uint32_t time = lastInputTime();
    const bool input = time != lastInputTime_;
    lastInputTime_ = time;
    return {input, input};
}

} // namespace dorvex

#pragma once

#include <bitset>
#include <cstdint>
#include <string>

namespace dorvex {

struct CursorPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const CursorPosition&, const CursorPosition&) = default;
};

// Virtual-key codes 0-255; mouse buttons are 1 (left), 2 (right), 4 (middle), 5 and 6 (X1, X2).
using KeyCodes = std::bitset<256>;

// Input the system saw since the previous call, whether or not the key set and the position
// show it: a key pressed again, a wheel step, a move that came back to its start.
struct RawInput {
    bool keyboard = false; // a key pressed
    bool mouse = false;    // a button pressed, the wheel turned or the pointer moved
    // Input from a source that cannot tell keys from pointer (a compositor's idle notice).
    bool keyboardOrMouse = false;
    friend bool operator==(const RawInput&, const RawInput&) = default;
};

// Global keyboard and mouse state, polled.
class InputDevices {
public:
    virtual ~InputDevices() = default;
    // False when the position cannot be read; `position` is then unchanged.
    virtual bool cursorPosition(CursorPosition& position) = 0;
    // The keys held down now or pressed since the previous call.
    virtual KeyCodes keysReported() = 0;
    // Raw input since the previous call; a backend without such a record reports none.
    virtual RawInput rawInputReported() = 0;
    // Why keyboard and mouse cannot be watched at all (no display, a lost connection, a session
    // whose input the backend cannot see); empty while they are watched.
    virtual std::string notWatchedReason() = 0;
    // What keyboard and mouse are watched through, in a few words ("X11"), for a status report.
    virtual std::string sourceName() const = 0;
};

} // namespace dorvex

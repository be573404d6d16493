#pragma once

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>

namespace dorvex {

struct CursorPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const CursorPosition&, const CursorPosition&) = default;
};

// Virtual-key codes 0-255; mouse buttons are 1 (left), 2 (right), 4 (middle), 5 and 6 (X1, X2).
using KeyCodes = std::bitset<256>;

// Input the system saw since the previous poll, whether or not the key set and the position
// show it: a key pressed again, a wheel step, a move that came back to its start.
struct RawInput {
    bool keyboard = false; // a key pressed
    bool mouse = false;    // a button pressed, the wheel turned or the pointer moved
    // Input from a source that cannot tell keys from pointer (a compositor's idle notice).
    bool keyboardOrMouse = false;
    friend bool operator==(const RawInput&, const RawInput&) = default;
};

// What one poll of keyboard and mouse saw.
struct InputPoll {
    std::optional<CursorPosition> position; // none when it cannot be read
    KeyCodes keys;                          // held down now or pressed since the previous poll
    RawInput raw; // since the previous poll; none from a backend without such a record
};

// Global keyboard and mouse state, polled.
class InputDevices {
public:
    virtual ~InputDevices() = default;
    // Position, keys and raw input of this moment, taken together: a backend may take them in
    // one question to the system.
    virtual InputPoll poll() = 0;
    // Why keyboard and mouse cannot be watched at all (no display, a lost connection, a session
    // whose input the backend cannot see); empty while they are watched.
    virtual std::string notWatchedReason() = 0;
    // What keyboard and mouse are watched through, in a few words ("X11"), for a status report.
    virtual std::string sourceName() const = 0;
};

} // namespace dorvex

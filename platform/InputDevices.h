#pragma once

#include <bitset>
#include <cstdint>

namespace dorvex {

struct CursorPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const CursorPosition&, const CursorPosition&) = default;
};

// Virtual-key codes 0-255; mouse buttons are 1 (left), 2 (right), 4 (middle), 5 and 6 (X1, X2).
using KeyCodes = std::bitset<256>;

// Global keyboard and mouse state, polled.
class InputDevices {
public:
    virtual ~InputDevices() = default;
    // False when the position cannot be read; `position` is then unchanged.
    virtual bool cursorPosition(CursorPosition& position) = 0;
    // The keys held down now or pressed since the previous call.
    virtual KeyCodes keysReported() = 0;
    // False when keyboard and mouse cannot be watched at all (no display, a lost connection).
    virtual bool watching() = 0;
};

} // namespace dorvex

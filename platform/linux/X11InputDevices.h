#pragma once

#include "platform/InputDevices.h"

#include <iostream>
#include <optional>
#include <string>

struct _XDisplay;

namespace dorvex {

// Keyboard and mouse of an X display. Pointer and keyboard map are polled; XInput2 raw presses
// are collected between polls so that a key pressed and released in between still counts.
// Without a display, or after losing it, nothing is reported, and the reason is told once.
class X11InputDevices : public InputDevices {
public:
    // The display named, or the one in $DISPLAY when the name is empty.
    explicit X11InputDevices(const std::string& displayName = {},
                             std::ostream& diagnostics = std::cerr);
    ~X11InputDevices() override;
    X11InputDevices(const X11InputDevices&) = delete;
    X11InputDevices& operator=(const X11InputDevices&) = delete;

    bool cursorPosition(CursorPosition& position) override;
    bool watching() override { return connected(); }
    KeyCodes keysReported() override;

private:
    struct Pointer {
        CursorPosition position;
        unsigned int buttons = 0;
    };
    std::optional<Pointer> queryPointer();
    bool connected() const { return display_ != nullptr && !lost_; }
    void watchRawPresses();
    void addHeldKeys(KeyCodes& keys);
    void addRawPresses(KeyCodes& keys);
    void cannotWatch(const std::string& reason);
    void markLost();
    static void connectionLost(_XDisplay* display, void* self);

    std::ostream& diagnostics_;
    _XDisplay* display_ = nullptr;
    int xinputOpcode_ = -1; // -1 without XInput2
    bool lost_ = false;
    bool told_ = false;
};

} // namespace dorvex

#pragma once

#include "platform/InputDevices.h"

#include <iostream>
#include <optional>
#include <string>

struct _XDisplay;

namespace dorvex {

// Keyboard and mouse of an X display. Pointer and keyboard map are polled together in one round
// trip, and each half of the answer serves one question: a poll asking for both (in either order)
// waits for the server once. XInput2 raw presses, wheel steps and motion are collected at each
// poll so that input in between still counts.
// Without a display, after losing it, or on a Wayland session (whose own windows' input X never
// sees) nothing is reported, and the reason is told once.
class X11InputDevices : public InputDevices {
public:
    // The display named, or the one in $DISPLAY when the name is empty.
    explicit X11InputDevices(const std::string& displayName = {},
                             std::ostream& diagnostics = std::cerr);
    ~X11InputDevices() override;
    X11InputDevices(const X11InputDevices&) = delete;
    X11InputDevices& operator=(const X11InputDevices&) = delete;

    bool cursorPosition(CursorPosition& position) override;
    KeyCodes keysReported() override;
    RawInput rawInputReported() override;
    std::string notWatchedReason() override { return reason_; }

private:
    bool connected() const { return display_ != nullptr && !lost_; }
    void watchRawInput();
    bool askPointerAndKeymap();
    void readRawEvents();
    void cannotWatch(const std::string& reason);
    void markLost();
    static void connectionLost(_XDisplay* display, void* self);

    std::ostream& diagnostics_;
    _XDisplay* display_ = nullptr;
    int xinputOpcode_ = -1; // -1 without XInput2
    KeyCodes pressed_;      // keys and buttons pressed since the previous keysReported
    RawInput raw_;          // raw input since the previous rawInputReported
    // The halves of the last answer that no question has used yet.
    std::optional<CursorPosition> unusedPosition_;
    std::optional<KeyCodes> unusedHeldKeys_;
    bool eventsRead_ = false; // by keysReported, since the previous rawInputReported
    bool lost_ = false;
    std::string reason_; // why not watched, once told
};

} // namespace dorvex

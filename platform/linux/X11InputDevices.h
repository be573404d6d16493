#pragma once

#include "platform/InputDevices.h"

#include <chrono>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

struct xcb_connection_t;

namespace dorvex {

// Keyboard and mouse of an X display, through a connection of their own. XInput2 raw presses,
// releases, wheel steps and motion are collected at each poll so that input in between still
// counts. A poll asks for pointer and keyboard map together, in one round trip. A poll with no
// raw event since the last answer waits for nothing: it takes the pointer from a question asked
// at the poll before, and the keys, which only input changes, stay as they were.
// Without a display, after losing it, or on a Wayland session (whose own windows' input X never
// sees; an XWayland display tells one too) nothing is reported, and the reason is told once.
class X11InputDevices : public InputDevices {
public:
    // The display named, or the one in $DISPLAY when the name is empty.
    explicit X11InputDevices(const std::string& displayName = {},
                             std::ostream& diagnostics = std::cerr);
    ~X11InputDevices() override;
    X11InputDevices(const X11InputDevices&) = delete;
    X11InputDevices& operator=(const X11InputDevices&) = delete;

    InputPoll poll() override;
    std::string notWatchedReason() override { return reason_; }
    std::string sourceName() const override { return "X11"; }

private:
    bool connected() const { return connection_ != nullptr && !lost_; }
    void watchRawInput();
    // The pointer's position and the keys and buttons held, as the server answered.
    struct Answer {
        CursorPosition position;
        KeyCodes held;
    };
    std::optional<Answer> pointerAndKeymap();
    void ask(bool keymapToo);
    void forgetQuestion();
    std::optional<Answer> takeAnswer(bool wait);
    void readRawEvents();
    void readRawEvent(const void* event);
    void checkConnection();
    void cannotWatch(const std::string& reason);

    std::ostream& diagnostics_;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    int xinputOpcode_ = -1;                 // -1 without XInput2
    bool rawEventsTellEveryChange_ = false; // XInput 2.1 or later
    KeyCodes pressed_;                      // keys and buttons pressed since the previous poll
    RawInput raw_;                          // raw input since the previous poll
    struct Question {
        unsigned int pointer;               // the request's sequence number
        std::optional<unsigned int> keymap; // asked along only when the keys may have changed
        std::chrono::steady_clock::time_point at;
    };
    // A poll and a half: the previous poll's question, whatever the timer's jitter.
    static constexpr std::chrono::milliseconds earlierQuestionTime{1500};
    std::optional<Question> asked_; // not answered yet
    bool inputSinceAnswer_ = false; // a raw event read since the last answer
    KeyCodes heldKeys_;             // by the last keyboard map answered
    bool lost_ = false;
    std::string reason_; // why not watched, once told
};

} // namespace dorvex

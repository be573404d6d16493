#pragma once

#include "platform/InputDevices.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <string>

struct _XDisplay;

namespace dorvex {

// Keyboard and mouse of an X display. Pointer and keyboard map are asked together in one round
// trip, and each half of the answer serves one question: a poll asking for both (in either order)
// asks the server once. XInput2 raw presses, wheel steps and motion are collected at each poll so
// that input in between still counts. A poll with no raw event since the last answer takes the
// answer to a question asked at the poll before and waits for nothing; one after input waits for
// a fresh answer.
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
    bool refreshPointerAndKeymap();
    void ask();
    void forgetQuestion();
    bool takeAnswer(bool wait);
    void readRawEvents();
    void cannotWatch(const std::string& reason);
    void markLost();
    static void connectionLost(_XDisplay* display, void* self);

    std::ostream& diagnostics_;
    _XDisplay* display_ = nullptr;
    int xinputOpcode_ = -1; // -1 without XInput2
    KeyCodes pressed_;      // keys and buttons pressed since the previous keysReported
    RawInput raw_;          // raw input since the previous rawInputReported
    struct Question {
        unsigned int keymap, pointer; // the requests' sequence numbers
        std::chrono::steady_clock::time_point at;
    };
    // A poll and a half: the previous poll's question, whatever the timer's jitter.
    static constexpr std::chrono::milliseconds earlierQuestionTime{1500};
    std::optional<Question> asked_;         // not answered yet
    bool inputSinceAnswer_ = false;         // a raw event read since the last answer
    bool rawEventsTellEveryChange_ = false; // XInput 2.1 or later
    // The halves of the last answer that no question has used yet.
    std::optional<CursorPosition> unusedPosition_;
    std::optional<KeyCodes> unusedHeldKeys_;
    bool eventsRead_ = false; // this poll, since any question
    bool lost_ = false;
    std::string reason_; // why not watched, once told
};

} // namespace dorvex

#include "platform/linux/X11InputDevices.h"

#include "platform/linux/InputSincePoll.h"
#include "platform/linux/XWaylandDisplay.h"
#include "platform/linux/XcbReply.h"

#include <bit>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <optional>
#include <utility>
#include <xcb/xcb.h>
#include <xcb/xcbext.h> // replies asked for by sequence number
#include <xcb/xinput.h>

namespace dorvex {

namespace {

// X keycodes start at 8, above the codes of the mouse buttons, and keep their numbers.
constexpr int firstKeycode = 8;
constexpr int keycodeCount = 256;

std::optional<std::size_t> keyCode(std::uint32_t keycode) {
    if (keycode < firstKeycode || keycode >= keycodeCount) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(keycode);
}

// X buttons 1 left, 2 middle, 3 right, 8 back, 9 forward; 4 to 7 are wheel steps, not buttons
// (they count as mouse input all the same).
std::optional<std::size_t> buttonCode(std::uint32_t button) {
    switch (button) {
    case 1:
        return 1;
    case 2:
        return 4;
    case 3:
        return 2;
    case 8:
        return 5;
    case 9:
        return 6;
    default:
        return std::nullopt;
    }
}

KeyCodes keysHeld(const xcb_query_keymap_reply_t& keymap) {
    KeyCodes held;
    // Almost every byte is 0: only the set bits cost anything.
    for (std::size_t byte = firstKeycode / 8; byte < std::size(keymap.keys); ++byte) {
        for (unsigned bits = keymap.keys[byte]; bits != 0; bits &= bits - 1) {
            held.set(byte * 8 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
    }
    return held;
}

// A raw motion with no axis changed moved nothing.
bool moved(const xcb_input_raw_motion_event_t& event) {
    const std::uint32_t* mask = xcb_input_raw_button_press_valuator_mask(&event);
    const xcb_input_fp3232_t* value = xcb_input_raw_button_press_axisvalues_raw(&event);
    for (int word = 0; word < event.valuators_len; ++word) {
        for (std::uint32_t bits = mask[word]; bits != 0; bits &= bits - 1, ++value) {
            if (value->integral != 0 || value->frac != 0) {
                return true;
            }
        }
    }
    return false;
}

std::string getenvOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Typing and pointing in a Wayland session's own windows never reach XWayland.
bool waylandSession() {
    return !getenvOrEmpty("WAYLAND_DISPLAY").empty() ||
           getenvOrEmpty("XDG_SESSION_TYPE") == "wayland";
}

std::string describe(const std::string& displayName) {
    if (!displayName.empty()) {
        return "cannot open the X display \"" + displayName + "\"";
    }
    const std::string fromEnvironment = getenvOrEmpty("DISPLAY");
    if (fromEnvironment.empty()) {
        return "no X display (DISPLAY is not set)";
    }
    return "cannot open the X display \"" + fromEnvironment + "\"";
}

} // namespace

X11InputDevices::X11InputDevices(const std::string& displayName, std::ostream& diagnostics)
    : diagnostics_(diagnostics) {
    if (waylandSession()) {
        cannotWatch("a Wayland session keeps the input of its own windows from X");
        return;
    }
    int screen = 0;
    connection_ = xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screen);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        cannotWatch(describe(displayName));
        return;
    }
    if (isXWayland(connection_)) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
        cannotWatch("the X display is XWayland, which never sees the input of Wayland windows");
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (; screen > 0 && screens.rem > 1; --screen) {
        xcb_screen_next(&screens);
    }
    root_ = screens.data->root;
    watchRawInput();
}

X11InputDevices::~X11InputDevices() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
}

void X11InputDevices::watchRawInput() {
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection_, &xcb_input_id);
    const XcbReply<xcb_input_xi_query_version_reply_t> version(
        extension != nullptr && extension->present != 0
            ? xcb_input_xi_query_version_reply(
                  connection_, xcb_input_xi_query_version(connection_, 2, 2), nullptr)
            : nullptr);
    if (!version || version->major_version < 2) {
        checkConnection();
        diagnostics_ << "Dorvex Zede: the X display has no XInput2; a key pressed and released "
                        "within a second may be missed\n";
        return;
    }
    xinputOpcode_ = extension->major_opcode;
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE |
               XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS |
               XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE | XCB_INPUT_XI_EVENT_MASK_RAW_MOTION};
    xcb_input_xi_select_events(connection_, root_, 1, &mask.head);
    xcb_flush(connection_);
    // Before 2.1 a client's grab kept raw events from everyone else.
    rawEventsTellEveryChange_ =
        version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 1);
}

InputPoll X11InputDevices::poll() {
    InputPoll input;
    if (const std::optional<Answer> answer = pointerAndKeymap()) {
        input.position = answer->position;
        input.keys = answer->held;
    }
    input.keys |= std::exchange(pressed_, {});
    input.raw = std::exchange(raw_, {});
    // Once the connection is lost a poll reports nothing, as without a display; a position
    // answered before the loss still serves.
    if (!connected()) {
        input.keys.reset();
        input.raw = {};
    }
    return input;
}

std::optional<X11InputDevices::Answer> X11InputDevices::pointerAndKeymap() {
    readRawEvents(); // also reads the answer to the question asked at the previous poll
    if (!connected()) {
        return std::nullopt;
    }
    // Pointer and keys change by input, and since XInput 2.1 every input of a device sends a raw
    // event whoever holds a grab. While none has come, the keys are as last answered and the
    // pointer is taken from the question asked at the previous poll, without waiting for the
    // server; it misses only a pointer moved by a program since then (a warp), which the next
    // poll shows. After a pause in the polls (a countdown, a reset) the question is too old.
    const auto now = std::chrono::steady_clock::now();
    const bool mayUseEarlierQuestion = rawEventsTellEveryChange_ && !inputSinceAnswer_ && asked_ &&
                                       now - asked_->at < earlierQuestionTime;
    std::optional<Answer> answer = mayUseEarlierQuestion ? takeAnswer(false) : std::nullopt;
    const bool waited = !answer;
    if (waited) {
        if (!connected()) {
            return std::nullopt;
        }
        forgetQuestion();
        ask(true);
        answer = takeAnswer(true);
        if (!answer) {
            return std::nullopt;
        }
    }
    if (rawEventsTellEveryChange_) {
        ask(false); // for the next poll
    }
    // A wait for an answer leaves queued the raw events the server sent before it: they are read
    // now. Without a wait they were read this poll already, and what came in since waits for the
    // next: reading again would cost a system call.
    if (waited) {
        readRawEvents();
    }
    return answer;
}

void X11InputDevices::ask(bool keymapToo) {
    const unsigned int pointer = xcb_query_pointer(connection_, root_).sequence;
    std::optional<unsigned int> keymap;
    if (keymapToo) {
        keymap = xcb_query_keymap(connection_).sequence;
    }
    xcb_flush(connection_);
    asked_ = Question{pointer, keymap, std::chrono::steady_clock::now()};
}

void X11InputDevices::forgetQuestion() {
    if (asked_) {
        xcb_discard_reply(connection_, asked_->pointer);
        if (asked_->keymap) {
            xcb_discard_reply(connection_, *asked_->keymap);
        }
        asked_.reset();
    }
}

std::optional<X11InputDevices::Answer> X11InputDevices::takeAnswer(bool wait) {
    void* arrived = nullptr;
    if (!asked_ ||
        (!wait && xcb_poll_for_reply(connection_, asked_->pointer, &arrived, nullptr) == 0)) {
        return std::nullopt;
    }
    const Question question = *std::exchange(asked_, std::nullopt);
    const XcbReply<xcb_query_pointer_reply_t> pointer(
        wait ? xcb_query_pointer_reply(connection_, {question.pointer}, nullptr)
             : static_cast<xcb_query_pointer_reply_t*>(arrived));
    // Only a question waited for asks for the keymap too; its answer follows the pointer's.
    const XcbReply<xcb_query_keymap_reply_t> keymap(
        question.keymap ? xcb_query_keymap_reply(connection_, {*question.keymap}, nullptr)
                        : nullptr);
    if (!pointer || (question.keymap && !keymap)) {
        checkConnection();
        return std::nullopt;
    }
    if (keymap) {
        heldKeys_ = keysHeld(*keymap);
    }
    KeyCodes held = heldKeys_;
    held.set(1, (pointer->mask & XCB_KEY_BUT_MASK_BUTTON_1) != 0);
    held.set(2, (pointer->mask & XCB_KEY_BUT_MASK_BUTTON_3) != 0);
    held.set(4, (pointer->mask & XCB_KEY_BUT_MASK_BUTTON_2) != 0);
    // Events read from now on may have come before the answer: the next poll asks again.
    inputSinceAnswer_ = false;
    // Also right when the pointer is on another screen of the display.
    return Answer{{pointer->root_x, pointer->root_y}, held};
}

// Reads what has arrived without waiting, so the process is woken by nothing but its own poll;
// what comes in meanwhile waits for the next poll. One read of the connection at most: the events
// a wait for an answer left queued, or those that came since.
void X11InputDevices::readRawEvents() {
    if (!connected()) {
        return;
    }
    for (XcbReply<xcb_generic_event_t> event(xcb_poll_for_event(connection_)); event;
         event.reset(xcb_poll_for_queued_event(connection_))) {
        readRawEvent(event.get());
    }
    checkConnection();
}

void X11InputDevices::readRawEvent(const void* event) {
    const auto& generic = *static_cast<const xcb_ge_generic_event_t*>(event);
    if ((generic.response_type & 0x7fU) != XCB_GE_GENERIC || generic.extension != xinputOpcode_) {
        return;
    }
    // Presses, releases and motion all may change what the server would answer.
    inputSinceAnswer_ = true;
    // Key and button events have the same form; releases change no record of presses.
    const auto& raw = *static_cast<const xcb_input_raw_button_press_event_t*>(event);
    std::optional<std::size_t> code;
    switch (generic.event_type) {
    case XCB_INPUT_RAW_KEY_PRESS:
        raw_.keyboard = true;
        code = keyCode(raw.detail);
        break;
    case XCB_INPUT_RAW_BUTTON_PRESS:
        raw_.mouse = true;
        code = buttonCode(raw.detail);
        break;
    case XCB_INPUT_RAW_MOTION:
        // Once the pointer has moved, more motion tells nothing new.
        raw_.mouse = raw_.mouse || moved(raw);
        break;
    default:
        break;
    }
    if (code) {
        pressed_.set(*code);
    }
}

void X11InputDevices::checkConnection() {
    if (!lost_ && xcb_connection_has_error(connection_) != 0) {
        lost_ = true;
        cannotWatch("the connection to the X display was lost");
    }
}

void X11InputDevices::cannotWatch(const std::string& reason) {
    tellNotWatched(reason_, reason, diagnostics_);
}

} // namespace dorvex

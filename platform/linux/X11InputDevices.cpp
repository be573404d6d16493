#include "platform/linux/X11InputDevices.h"

#include "platform/linux/InputSincePoll.h"

#include <X11/Xlib-xcb.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>
#include <xcb/xcbext.h>

namespace dorvex {

namespace {

// X keycodes start at 8, above the codes of the mouse buttons, and keep their numbers.
constexpr int firstKeycode = 8;
constexpr int keycodeCount = 256;

std::optional<std::size_t> keyCode(int keycode) {
    if (keycode < firstKeycode || keycode >= keycodeCount) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(keycode);
}

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// X buttons 1 left, 2 middle, 3 right, 8 back, 9 forward; 4 to 7 are wheel steps, not buttons
// (they count as mouse input all the same).
std::optional<std::size_t> buttonCode(int button) {
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

// Xlib's handler of a broken connection is process-wide and ends the process. Ours lets the
// connections of this class go on to their own exit handler, and leaves the others as they were.
std::mutex handlerMutex;
std::vector<Display*> watchedDisplays;
XIOErrorHandler previousHandler = nullptr;
bool handlerInstalled = false;

int onBrokenConnection(Display* display) {
    XIOErrorHandler previous = nullptr;
    {
        const std::lock_guard lock(handlerMutex);
        if (std::ranges::find(watchedDisplays, display) != watchedDisplays.end()) {
            return 0;
        }
        previous = previousHandler;
    }
    return previous != nullptr ? previous(display) : 0;
}

void watchConnection(Display* display) {
    const std::lock_guard lock(handlerMutex);
    if (!handlerInstalled) {
        previousHandler = XSetIOErrorHandler(&onBrokenConnection);
        handlerInstalled = true;
    }
    watchedDisplays.push_back(display);
}

void unwatchConnection(Display* display) {
    const std::lock_guard lock(handlerMutex);
    std::erase(watchedDisplays, display);
}

// A raw motion with no axis changed moved nothing.
bool moved(const XIRawEvent& event) {
    const double* value = event.raw_values; // one for each axis in the mask
    for (int axis = 0; axis < event.valuators.mask_len * 8; ++axis) {
        if (XIMaskIsSet(event.valuators.mask, axis) && *value++ != 0.0) {
            return true;
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
    display_ = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display_ == nullptr) {
        cannotWatch(describe(displayName));
        return;
    }
    // Xlib ends the process when the connection breaks, unless told otherwise.
    watchConnection(display_);
    XSetIOErrorExitHandler(display_, &X11InputDevices::connectionLost, this);
    watchRawInput();
}

X11InputDevices::~X11InputDevices() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
        unwatchConnection(display_);
    }
}

void X11InputDevices::watchRawInput() {
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(display_, "XInputExtension", &xinputOpcode_, &event, &error) ||
        XIQueryVersion(display_, &major, &minor) != Success) {
        xinputOpcode_ = -1;
        diagnostics_ << "Dorvex Zede: the X display has no XInput2; a key pressed and released "
                        "within a second may be missed\n";
        return;
    }
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
    XISetMask(bits.data(), XI_RawKeyPress);
    XISetMask(bits.data(), XI_RawKeyRelease);
    XISetMask(bits.data(), XI_RawButtonPress);
    XISetMask(bits.data(), XI_RawButtonRelease);
    XISetMask(bits.data(), XI_RawMotion);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(bits.size()), bits.data()};
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    XFlush(display_);
    // Before 2.1 a client's grab kept raw events from everyone else.
    rawEventsTellEveryChange_ = major > 2 || (major == 2 && minor >= 1);
}

bool X11InputDevices::cursorPosition(CursorPosition& position) {
    if (!connected() || (!unusedPosition_ && !refreshPointerAndKeymap())) {
        return false;
    }
    position = *std::exchange(unusedPosition_, std::nullopt);
    return true;
}

KeyCodes X11InputDevices::keysReported() {
    KeyCodes keys;
    if (connected() && (unusedHeldKeys_ || refreshPointerAndKeymap())) {
        keys = *std::exchange(unusedHeldKeys_, std::nullopt);
    }
    // A question brings along the raw events the server sent before answering it.
    if (!eventsRead_) {
        readRawEvents();
    }
    keys |= std::exchange(pressed_, {});
    return connected() ? keys : KeyCodes{};
}

RawInput X11InputDevices::rawInputReported() {
    // What came in since the events were read this poll waits for the next: reading again would
    // cost a system call.
    if (!eventsRead_) {
        readRawEvents();
    }
    eventsRead_ = false; // the poll ends here
    const RawInput raw = std::exchange(raw_, {});
    return connected() ? raw : RawInput{};
}

bool X11InputDevices::refreshPointerAndKeymap() {
    readRawEvents(); // also reads the answer to the question asked at the previous poll
    if (!connected()) {
        return false;
    }
    // Pointer and keys change by input, and since XInput 2.1 every input of a device sends a raw
    // event whoever holds a grab. While none has come, the answer to the question asked at the
    // previous poll is used, without waiting for the server; it misses only a pointer moved by a
    // program since then (a warp), which the next poll shows. After a pause in the polls (a
    // countdown, a reset) the question is too old for that.
    const auto now = std::chrono::steady_clock::now();
    const bool mayUseEarlierQuestion = rawEventsTellEveryChange_ && !inputSinceAnswer_ && asked_ &&
                                       now - asked_->at < earlierQuestionTime;
    if (!mayUseEarlierQuestion || !takeAnswer(false)) {
        if (!connected()) {
            return false;
        }
        forgetQuestion();
        ask();
        if (!takeAnswer(true)) {
            return false;
        }
    }
    if (rawEventsTellEveryChange_) {
        ask(); // for the next poll
    }
    return true;
}

void X11InputDevices::ask() {
    // Both questions in one round trip.
    xcb_connection_t* connection = XGetXCBConnection(display_);
    const unsigned int keymap = xcb_query_keymap(connection).sequence;
    const unsigned int pointer =
        xcb_query_pointer(connection, static_cast<xcb_window_t>(DefaultRootWindow(display_)))
            .sequence;
    xcb_flush(connection);
    asked_ = Question{keymap, pointer, std::chrono::steady_clock::now()};
}

void X11InputDevices::forgetQuestion() {
    if (asked_) {
        xcb_connection_t* connection = XGetXCBConnection(display_);
        xcb_discard_reply(connection, asked_->keymap);
        xcb_discard_reply(connection, asked_->pointer);
        asked_.reset();
    }
}

bool X11InputDevices::takeAnswer(bool wait) {
    xcb_connection_t* connection = XGetXCBConnection(display_);
    void* arrived = nullptr;
    if (!asked_ ||
        (!wait && xcb_poll_for_reply(connection, asked_->keymap, &arrived, nullptr) == 0)) {
        return false;
    }
    const Question question = *std::exchange(asked_, std::nullopt);
    // The pointer's answer follows the keymap's; waiting for it costs no extra round trip.
    const Reply<xcb_query_keymap_reply_t> keymap(
        wait ? xcb_query_keymap_reply(connection, {question.keymap}, nullptr)
             : static_cast<xcb_query_keymap_reply_t*>(arrived));
    const Reply<xcb_query_pointer_reply_t> pointer(
        xcb_query_pointer_reply(connection, {question.pointer}, nullptr));
    if (!keymap || !pointer) {
        if (xcb_connection_has_error(connection) != 0) {
            markLost();
        }
        return false;
    }
    KeyCodes held;
    for (int keycode = firstKeycode; keycode < keycodeCount; ++keycode) {
        if ((keymap->keys[keycode / 8] >> (keycode % 8)) & 1U) {
            held.set(static_cast<std::size_t>(keycode));
        }
    }
    held.set(1, (pointer->mask & XCB_KEY_BUT_MASK_BUTTON_1) != 0);
    held.set(2, (pointer->mask & XCB_KEY_BUT_MASK_BUTTON_3) != 0);
    held.set(4, (pointer->mask & XCB_KEY_BUT_MASK_BUTTON_2) != 0);
    // Also right when the pointer is on another screen of the display.
    unusedPosition_ = CursorPosition{pointer->root_x, pointer->root_y};
    unusedHeldKeys_ = held;
    // Events read from now on may have come before the answer: the next poll asks again. Those
    // that came with an answer waited for are still to be read.
    inputSinceAnswer_ = false;
    eventsRead_ = eventsRead_ && !wait;
    return true;
}

// Reads what has arrived without waiting, so the process is woken by nothing but its own poll;
// what comes in meanwhile waits for the next poll.
void X11InputDevices::readRawEvents() {
    eventsRead_ = true;
    if (!connected() || xinputOpcode_ < 0) {
        return;
    }
    for (int queued = XPending(display_); queued > 0 && !lost_; --queued) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != xinputOpcode_) {
            continue;
        }
        // Presses, releases and motion all may change what the server would answer.
        inputSinceAnswer_ = true;
        // Once the pointer has moved, more motion tells nothing new: it is left undecoded;
        // releases change no record of presses.
        if (cookie.evtype == XI_RawKeyRelease || cookie.evtype == XI_RawButtonRelease ||
            (cookie.evtype == XI_RawMotion && raw_.mouse) || !XGetEventData(display_, &cookie)) {
            continue;
        }
        const auto& raw = *static_cast<const XIRawEvent*>(cookie.data);
        std::optional<std::size_t> code;
        if (cookie.evtype == XI_RawKeyPress) {
            raw_.keyboard = true;
            code = keyCode(raw.detail);
        } else if (cookie.evtype == XI_RawButtonPress) {
            raw_.mouse = true;
            code = buttonCode(raw.detail);
        } else if (moved(raw)) {
            raw_.mouse = true;
        }
        if (code) {
            pressed_.set(*code);
        }
        XFreeEventData(display_, &cookie);
    }
}

void X11InputDevices::cannotWatch(const std::string& reason) {
    tellNotWatched(reason_, reason, diagnostics_);
}

void X11InputDevices::markLost() {
    lost_ = true;
    cannotWatch("the connection to the X display was lost");
}

void X11InputDevices::connectionLost(_XDisplay* /*display*/, void* self) {
    static_cast<X11InputDevices*>(self)->markLost();
}

} // namespace dorvex

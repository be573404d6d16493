#include "monitor/MdInDataChange.h"
#include "platform/linux/X11InputDevices.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/linux/XvfbServer.h"

#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>
// After gtest: Xlib's macros (None, Bool, ...) would clash with its names.
#include <X11/Xlib.h>

namespace dorvex {
namespace {

std::vector<std::size_t> codes(const KeyCodes& keys) {
    std::vector<std::size_t> set;
    for (std::size_t code = 0; code < keys.size(); ++code) {
        if (keys.test(code)) {
            set.push_back(code);
        }
    }
    return set;
}

// The desktop the tests run in may be a Wayland one; the tests' own servers are X servers.
struct XSession {
    test::ScopedEnvironment waylandDisplay{"WAYLAND_DISPLAY", std::nullopt};
    test::ScopedEnvironment sessionType{"XDG_SESSION_TYPE", std::nullopt};
};

class X11InputDevicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(devices.cursorPosition(position));
        ASSERT_TRUE(codes(devices.keysReported()).empty());
    }

    // The server's keycode for a key, asked of the server directly.
    std::size_t keycodeOf(const char* keyName) const {
        Display* display = XOpenDisplay(server.display().c_str());
        const KeyCode keycode = XKeysymToKeycode(display, XStringToKeysym(keyName));
        XCloseDisplay(display);
        return keycode;
    }

    XSession session;
    test::XvfbServer server;
    std::ostringstream diagnostics;
    X11InputDevices devices{server.display(), diagnostics};
    CursorPosition position;
};

TEST_F(X11InputDevicesTest, CursorPositionFollowsThePointer) {
    const CursorPosition targets[] = {{100, 200}, {300, 50}, {0, 0}, {1023, 767}};
    for (const CursorPosition& target : targets) {
        ASSERT_TRUE(server.xdotool(
            {"mousemove", "--sync", std::to_string(target.x), std::to_string(target.y)}));
        ASSERT_TRUE(devices.cursorPosition(position));
        EXPECT_EQ(position, target) << target.x << "," << target.y;
    }
    EXPECT_EQ(diagnostics.str(), "");
}

TEST_F(X11InputDevicesTest, AKeyPressedAndReleasedBetweenTwoPollsIsReportedOnce) {
    ASSERT_TRUE(server.xdotool({"key", "a"}));
    EXPECT_EQ(codes(devices.keysReported()), std::vector<std::size_t>{keycodeOf("a")});
    EXPECT_TRUE(codes(devices.keysReported()).empty());
}

TEST_F(X11InputDevicesTest, AHeldKeyIsReportedAtEveryPoll) {
    const std::vector<std::size_t> shift{keycodeOf("Shift_L")};
    ASSERT_TRUE(server.xdotool({"keydown", "Shift_L"}));
    for (int poll = 0; poll < 3; ++poll) {
        EXPECT_EQ(codes(devices.keysReported()), shift) << "poll " << poll;
    }
    ASSERT_TRUE(server.xdotool({"keyup", "Shift_L"}));
    EXPECT_TRUE(codes(devices.keysReported()).empty());
}

TEST_F(X11InputDevicesTest, MouseButtonsAreReportedAsTheirKeyCodes) {
    struct ButtonCase {
        const char* button;
        std::vector<std::size_t> expected;
    };
    const ButtonCase cases[] = {
        {"1", {1}}, {"3", {2}}, {"2", {4}}, {"8", {5}},
        {"9", {6}}, {"4", {}},  {"5", {}}, // wheel steps are no buttons
    };
    for (const ButtonCase& c : cases) {
        ASSERT_TRUE(server.xdotool({"click", c.button}));
        EXPECT_EQ(codes(devices.keysReported()), c.expected) << "button " << c.button;
    }
}

TEST_F(X11InputDevicesTest, AHeldButtonIsReportedAtEveryPoll) {
    ASSERT_TRUE(server.xdotool({"mousedown", "3"}));
    for (int poll = 0; poll < 3; ++poll) {
        EXPECT_EQ(codes(devices.keysReported()), std::vector<std::size_t>{2}) << "poll " << poll;
    }
    ASSERT_TRUE(server.xdotool({"mouseup", "3"}));
    EXPECT_TRUE(codes(devices.keysReported()).empty());
}

// The program's own poll: key character, blank, mouse character.
TEST_F(X11InputDevicesTest, TheProgramsPollSeesEveryKindOfInput) {
    MdInDataChange poll(devices);
    poll.Prime_Input();
    EXPECT_EQ(poll.Poll_Input(), "_ _");

    ASSERT_TRUE(server.xdotool({"mousemove", "--sync", "40", "60"}));
    EXPECT_EQ(poll.Poll_Input(), "_ M");
    EXPECT_EQ(poll.Poll_Input(), "_ _");

    ASSERT_TRUE(server.xdotool({"key", "a"}));
    EXPECT_EQ(poll.Poll_Input(), "K _");
    EXPECT_EQ(poll.Poll_Input(), "_ _");

    ASSERT_TRUE(server.xdotool({"keydown", "b"}));
    EXPECT_EQ(poll.Poll_Input(), "K _");
    EXPECT_EQ(poll.Poll_Input(), "_ _");
    EXPECT_EQ(poll.Poll_Input(), "_ _");
    ASSERT_TRUE(server.xdotool({"keyup", "b"}));
    EXPECT_EQ(poll.Poll_Input(), "_ _");

    // A click is a key code and a raw button press; a wheel step only the latter.
    ASSERT_TRUE(server.xdotool({"click", "1"}));
    EXPECT_EQ(poll.Poll_Input(), "K M");
    ASSERT_TRUE(server.xdotool({"click", "4"}));
    EXPECT_EQ(poll.Poll_Input(), "_ M");

    // The same key in two polls running leaves the key set as it was.
    ASSERT_TRUE(server.xdotool({"key", "Next"}));
    EXPECT_EQ(poll.Poll_Input(), "K _");
    ASSERT_TRUE(server.xdotool({"key", "Next"}));
    EXPECT_EQ(poll.Poll_Input(), "K _");

    // Relative moves are raw motion; out and back leaves the position as it was.
    ASSERT_TRUE(server.xdotool({"mousemove_relative", "--sync", "30", "0"}));
    ASSERT_TRUE(server.xdotool({"mousemove_relative", "--sync", "--", "-30", "0"}));
    EXPECT_EQ(poll.Poll_Input(), "_ M");
    EXPECT_EQ(poll.Poll_Input(), "_ _");
}

// Without a display, or on a Wayland session whose own windows' input X never sees even while an
// X server takes input.
TEST(X11InputDevicesNotWatching, ReportNothingAndSaySoOnce) {
    test::XvfbServer server;
    const std::string wayland = "a Wayland session keeps the input of its own windows from X";
    struct EnvironmentCase {
        std::optional<std::string> display, waylandDisplay, sessionType;
        std::string reason;
    };
    const EnvironmentCase cases[] = {
        {std::nullopt, std::nullopt, "x11", "no X display (DISPLAY is not set)"},
        {":4999", std::nullopt, std::nullopt, "cannot open the X display \":4999\""},
        {server.display(), "wayland-0", std::nullopt, wayland},
        {server.display(), std::nullopt, "wayland", wayland},
    };
    for (const EnvironmentCase& c : cases) {
        test::ScopedEnvironment display("DISPLAY", c.display);
        test::ScopedEnvironment waylandDisplay("WAYLAND_DISPLAY", c.waylandDisplay);
        test::ScopedEnvironment sessionType("XDG_SESSION_TYPE", c.sessionType);
        std::ostringstream diagnostics;
        X11InputDevices devices({}, diagnostics);
        ASSERT_TRUE(server.xdotool({"key", "a"}));
        ASSERT_TRUE(server.xdotool({"click", "4"}));
        for (int poll = 0; poll < 3; ++poll) {
            CursorPosition position{5, 6};
            EXPECT_FALSE(devices.cursorPosition(position));
            EXPECT_EQ(position, (CursorPosition{5, 6}));
            EXPECT_TRUE(devices.keysReported().none());
            EXPECT_EQ(devices.rawInputReported(), RawInput{});
        }
        EXPECT_EQ(diagnostics.str(), "Dorvex Zede cannot watch keyboard and mouse: " + c.reason +
                                         "; they count as in use\n");
        EXPECT_EQ(devices.notWatchedReason(), c.reason);
    }
}

// The connection can break under either question; the keys are asked through XCB.
TEST(X11InputDevicesLosingTheDisplay, GoOnReportingNothing) {
    const XSession session;
    for (const bool keysFirst : {false, true}) {
        test::XvfbServer server;
        std::ostringstream diagnostics;
        X11InputDevices devices(server.display(), diagnostics);
        CursorPosition position;
        ASSERT_TRUE(devices.cursorPosition(position));
        EXPECT_EQ(devices.notWatchedReason(), "");
        server.stop();
        for (int poll = 0; poll < 3; ++poll) {
            if (keysFirst) {
                EXPECT_TRUE(devices.keysReported().none());
            }
            EXPECT_FALSE(devices.cursorPosition(position));
            EXPECT_TRUE(devices.keysReported().none());
        }
        EXPECT_EQ(diagnostics.str(), "Dorvex Zede cannot watch keyboard and mouse: the connection "
                                     "to the X display was lost; they count as in use\n")
            << (keysFirst ? "keys first" : "cursor first");
        EXPECT_EQ(devices.notWatchedReason(), "the connection to the X display was lost");
    }
}

// Another part of the program, such as the window system, keeps Xlib's own handling.
TEST(X11InputDevicesLosingTheDisplayDeathTest, OtherConnectionsStillEndTheProcess) {
    test::XvfbServer server;
    const std::string display = server.display();
    EXPECT_EXIT(
        {
            std::ostringstream diagnostics;
            { X11InputDevices earlier(display, diagnostics); }
            X11InputDevices devices(display, diagnostics);
            Display* other = XOpenDisplay(display.c_str());
            ::close(ConnectionNumber(other));
            XSync(other, False);
            std::exit(0);
        },
        ::testing::ExitedWithCode(1), "fatal IO error|broken");
}

} // namespace
} // namespace dorvex

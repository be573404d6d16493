#include "monitor/MdInDataChange.h"
#include "platform/linux/X11InputDevices.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/linux/XvfbServer.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
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

    // Runs the xdotool command (words split at blanks), then polls as often as `expected` says
    // and compares the answers.
    template <typename Answer>
    void expectPolls(const std::string& command, const std::vector<Answer>& expected,
                     const std::function<Answer()>& poll) {
        SCOPED_TRACE(command);
        std::istringstream words(command);
        ASSERT_TRUE(server.xdotool({std::istream_iterator<std::string>(words), {}}));
        std::vector<Answer> answers;
        std::generate_n(std::back_inserter(answers), expected.size(), poll);
        EXPECT_EQ(answers, expected);
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

// Each key and button code is reported at every poll while it is down, and once when it went
// down and up between two polls; wheel steps are no buttons.
TEST_F(X11InputDevicesTest, KeysAndButtonsAreReportedAsTheirCodes) {
    using Codes = std::vector<std::size_t>;
    const std::size_t a = keycodeOf("a");
    const std::size_t shift = keycodeOf("Shift_L");
    const std::pair<std::string, std::vector<Codes>> steps[] = {
        {"key a", {{a}, {}}},        {"keydown Shift_L", {{shift}, {shift}, {shift}}},
        {"keyup Shift_L", {{}}},     {"click 1", {{1}, {}}},
        {"click 3", {{2}}},          {"click 2", {{4}}},
        {"click 8", {{5}}},          {"click 9", {{6}}},
        {"click 4", {{}}},           {"click 5", {{}}},
        {"mousedown 3", {{2}, {2}}}, {"mouseup 3", {{}}},
    };
    for (const auto& [command, polls] : steps) {
        expectPolls<Codes>(command, polls, [&] { return codes(devices.keysReported()); });
    }
}

// The program's own poll: key character, blank, mouse character.
TEST_F(X11InputDevicesTest, TheProgramsPollSeesEveryKindOfInput) {
    MdInDataChange poll(devices);
    poll.Prime_Input();
    using Polls = std::vector<std::string>;
    const std::pair<std::string, Polls> steps[] = {
        {"mousemove --sync 40 60", {"_ M", "_ _"}},
        {"key a", {"K _", "_ _"}},
        {"keydown b", {"K _", "_ _", "_ _"}},
        {"keyup b", {"_ _"}},
        // A click is a key code and a raw button press; a wheel step only the latter.
        {"click 1", {"K M"}},
        {"click 4", {"_ M"}},
        // The same key in two polls running leaves the key set as it was.
        {"key Next", {"K _"}},
        {"key Next", {"K _"}},
        // Relative moves are raw motion; out and back leaves the position as it was.
        {"mousemove_relative --sync 30 0 mousemove_relative --sync -- -30 0", {"_ M", "_ _"}},
    };
    EXPECT_EQ(poll.Poll_Input(), "_ _");
    for (const auto& [command, polls] : steps) {
        expectPolls<std::string>(command, polls, [&] { return poll.Poll_Input(); });
    }
}

// Reports no input at any poll and has said why once.
void expectNotWatching(X11InputDevices& devices, const std::ostringstream& diagnostics,
                       const std::string& reason) {
    for (int poll = 0; poll < 3; ++poll) {
        CursorPosition position{5, 6};
        EXPECT_FALSE(devices.cursorPosition(position));
        EXPECT_EQ(position, (CursorPosition{5, 6}));
        EXPECT_TRUE(devices.keysReported().none());
        EXPECT_EQ(devices.rawInputReported(), RawInput{});
    }
    EXPECT_EQ(diagnostics.str(), "Dorvex Zede cannot watch keyboard and mouse: " + reason +
                                     "; they count as in use\n");
    EXPECT_EQ(devices.notWatchedReason(), reason);
}

// Without a display, or on a Wayland session whose own windows' input X never sees even while an
// X server takes input.
TEST(X11InputDevicesNotWatching, ReportNothingAndSaySoOnce) {
    test::XvfbServer server;
    const std::string wayland = "a Wayland session keeps the input of its own windows from X";
    const struct {
        std::optional<std::string> display, waylandDisplay, sessionType;
        std::string reason;
    } cases[] = {
        {std::nullopt, std::nullopt, "x11", "no X display (DISPLAY is not set)"},
        {":4999", std::nullopt, std::nullopt, "cannot open the X display \":4999\""},
        {server.display(), "wayland-0", std::nullopt, wayland},
        {server.display(), std::nullopt, "wayland", wayland},
    };
    for (const auto& c : cases) {
        test::ScopedEnvironment display("DISPLAY", c.display);
        test::ScopedEnvironment waylandDisplay("WAYLAND_DISPLAY", c.waylandDisplay);
        test::ScopedEnvironment sessionType("XDG_SESSION_TYPE", c.sessionType);
        std::ostringstream diagnostics;
        X11InputDevices devices({}, diagnostics);
        ASSERT_TRUE(server.xdotool({"key", "a"}));
        ASSERT_TRUE(server.xdotool({"click", "4"}));
        expectNotWatching(devices, diagnostics, c.reason);
    }
}

// The connection can break under either question; the keys are asked through XCB.
TEST(X11InputDevicesLosingTheDisplay, GoOnReportingNothing) {
    const XSession session;
    for (const bool keysFirst : {false, true}) {
        SCOPED_TRACE(keysFirst ? "keys first" : "cursor first");
        test::XvfbServer server;
        std::ostringstream diagnostics;
        X11InputDevices devices(server.display(), diagnostics);
        CursorPosition position;
        ASSERT_TRUE(devices.cursorPosition(position));
        EXPECT_EQ(devices.notWatchedReason(), "");
        server.stop();
        if (keysFirst) {
            EXPECT_TRUE(devices.keysReported().none());
        }
        expectNotWatching(devices, diagnostics, "the connection to the X display was lost");
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

#include "monitor/MdInDataChange.h"
#include "platform/linux/X11InputDevices.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/linux/XvfbServer.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace dorvex {
namespace {

// The desktop the tests run in may be a Wayland one; the tests' own servers are X servers.
struct XSession {
    test::ScopedEnvironment waylandDisplay{"WAYLAND_DISPLAY", std::nullopt};
    test::ScopedEnvironment sessionType{"XDG_SESSION_TYPE", std::nullopt};
};

class X11InputDevicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(devices.cursorPosition(position));
        ASSERT_TRUE(devices.keysReported().none());
    }

    // Runs the xdotool command (words split at blanks), then polls as often as `expected` says
    // and compares the answers.
    void expectPolls(const std::string& command, const std::vector<std::string>& expected,
                     MdInDataChange& poll) {
        SCOPED_TRACE(command);
        std::istringstream words(command);
        ASSERT_TRUE(server.xdotool({std::istream_iterator<std::string>(words), {}}));
        std::vector<std::string> answers;
        std::generate_n(std::back_inserter(answers), expected.size(),
                        [&] { return poll.Poll_Input(); });
        EXPECT_EQ(answers, expected);
    }

    XSession session;
    test::XvfbServer server;
    std::ostringstream diagnostics;
    X11InputDevices devices{server.display(), diagnostics};
    CursorPosition position;
};

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
        expectPolls(command, polls, poll);
    }
    EXPECT_EQ(diagnostics.str(), "");
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

} // namespace
} // namespace dorvex

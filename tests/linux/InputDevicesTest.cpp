#include "monitor/MdInDataChange.h"
#include "platform/linux/InputSourceChoice.h"
#include "platform/linux/X11InputDevices.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/linux/XvfbServer.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <thread>
#include <unistd.h>

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
        const InputPoll first = devices.poll();
        ASSERT_TRUE(first.position);
        ASSERT_TRUE(first.keys.none());
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
};

// The program's own poll: key character, blank, mouse character.
TEST_F(X11InputDevicesTest, TheProgramsPollSeesEveryKindOfInput) {
    MdInDataChange poll(devices);
    poll.Prime_Input();
    using Polls = std::vector<std::string>;
    const std::pair<std::string, Polls> steps[] = {
        // An absolute move is a warp, which sends no raw event: a quiet poll shows it a poll late,
        // unless the polls paused, as they do in a countdown.
        {"mousemove --sync 40 60", {"_ _", "_ M", "_ _"}},
        {"mousemove --sync 50 60 sleep 1.6", {"_ M", "_ _"}},
        {"key a", {"K _", "_ _"}},
        {"keydown b", {"K _", "_ _", "_ _"}},
        {"keyup b", {"_ _"}},
        // A quiet poll uses the last answer again: a release must bring a new one.
        {"keydown b keydown c", {"K _", "_ _", "_ _"}},
        {"keyup c", {"K _", "_ _"}},
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
        const InputPoll input = devices.poll();
        EXPECT_EQ(input.position, std::nullopt);
        EXPECT_TRUE(input.keys.none());
        EXPECT_EQ(input.raw, RawInput{});
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

// The connection can break while a question is out, also with a key read before the loss.
TEST(X11InputDevicesLosingTheDisplay, GoOnReportingNothing) {
    const XSession session;
    for (const bool keyFirst : {false, true}) {
        SCOPED_TRACE(keyFirst ? "key first" : "quiet");
        test::XvfbServer server;
        std::ostringstream diagnostics;
        X11InputDevices devices(server.display(), diagnostics);
        ASSERT_TRUE(devices.poll().position);
        EXPECT_EQ(devices.notWatchedReason(), "");
        ASSERT_TRUE(!keyFirst || server.xdotool({"key", "a"}));
        server.stop();
        // The question asked at the poll before may have been answered before the server went:
        // that answer is still taken, and the loss shows at the poll after. A key read along
        // with it is not reported once the loss shows.
        EXPECT_TRUE(devices.poll().keys.none());
        expectNotWatching(devices, diagnostics, "the connection to the X display was lost");
    }
}

// Mutter takes keys from a remote desktop session on the connection that made it. Ends once the
// idle monitor has taken the key: its idle time began after the press.
constexpr const char* mutterKeys = R"(
import dbus, sys, time
bus = dbus.SessionBus()
name = 'org.gnome.Mutter.RemoteDesktop'
path = bus.get_object(name, '/org/gnome/Mutter/RemoteDesktop').CreateSession(dbus_interface=name)
session = dbus.Interface(bus.get_object(name, path), name + '.Session')
monitor = bus.get_object('org.gnome.Mutter.IdleMonitor', '/org/gnome/Mutter/IdleMonitor/Core')
pressedAt = time.monotonic()
session.Start()
for pressed in (True, False): session.NotifyKeyboardKeysym(dbus.UInt32(0x61), pressed)
session.Stop()
for _ in range(500):
    if monitor.GetIdletime(dbus_interface='org.gnome.Mutter.IdleMonitor') / 1000 < time.monotonic() - pressedAt: sys.exit(0)
    time.sleep(0.02)
sys.exit(1)
)";

// A headless compositor in a runtime folder of its own, with a session bus, until the object goes.
// It runs in that folder, where sway finds `configuration` as sway.conf.
struct Compositor {
    Compositor(std::vector<std::string> command, std::vector<std::string> environment,
               const std::string& configuration)
        : environment_(std::move(environment)) {
        std::filesystem::permissions(runtime.path(), std::filesystem::perms::owner_all);
        runtime.write("sway.conf", configuration);
        bus.emplace(std::vector<std::string>{"dbus-daemon", "--session", "--address=" + address,
                                             "--nofork", "--nopidfile", "--print-address=1"});
        bus->readLine(std::chrono::seconds(20));
        // sway refuses to run as root. Their complaints about missing hardware go nowhere.
        if (::geteuid() == 0 && command.front() == "sway") {
            ::chown(runtime.path().c_str(), 65534, 65534);
            command.insert(command.begin(), {"setpriv", "--reuid=nobody", "--regid=nogroup",
                                             "--clear-groups", "env", "HOME=/tmp"});
        }
        command.insert(command.begin(),
                       {"sh", "-c", "cd \"$XDG_RUNTIME_DIR\" && exec \"$@\" 2>/dev/null", "sh"});
        command_ = std::move(command);
    }
    // Starts it, or starts it again, and waits for its socket.
    void start() {
        compositor.reset();
        compositor.emplace(command_, environment_);
        waylandDisplay.reset();
        waylandDisplay.emplace("WAYLAND_DISPLAY", awaitFile("wayland-"));
    }
    // The name of the first file in the folder that starts with `prefix`, once there is one.
    std::optional<std::string> awaitFile(const std::string& prefix) const {
        for (int tries = 0; tries < 300; ++tries) {
            for (const auto& entry : std::filesystem::directory_iterator(runtime.path())) {
                const std::string name = entry.path().filename();
                if (name.starts_with(prefix) && !name.ends_with(".lock")) {
                    return name;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return std::nullopt;
    }

    std::vector<std::string> command_, environment_;
    test::TempFolder runtime;
    test::ScopedEnvironment runtimeDir{"XDG_RUNTIME_DIR", runtime.path().string()};
    std::string address = "unix:path=" + (runtime.path() / "bus").string();
    test::ScopedEnvironment sessionBus{"DBUS_SESSION_BUS_ADDRESS", address};
    std::optional<test::ChildProcess> bus;
    std::optional<test::ChildProcess> compositor;
    std::optional<test::ScopedEnvironment> waylandDisplay;
};

// Each compositor's source sees a quiet session as idle, input as input, and the quiet after it
// as idle again within the second. A compositor that answers only after the choice, starts only
// after it or starts again is taken up then. A program that
// keeps it awake holds idleness off, also when taken while the session is idle. A program that
// knows XWayland's display alone watches through the compositor in its runtime folder.
TEST(InputOnWayland, EachCompositorsSourceTellsInputFromQuietToTheSecond) {
    test::TempFolder kwinCopy; // the installed binary's file capability cannot be run here
    std::filesystem::copy("/usr/bin/kwin_wayland", kwinCopy.path());
    struct Case {
        std::vector<std::string> command, environment, ready, input;
        std::string source;
        std::string name;             // in the status report
        bool inputTaken = false;      // the input command ends once the compositor has taken it
        bool stoppedAtChoice = false; // answers only after the source was chosen
        std::string lateSocket;       // started 5 s after the choice, on this socket
        bool inhibited = false;       // an idle inhibitor taken while the session is idle
        bool restarted = false;       // killed and started again
        // sway's: Xwayland, which lets the tests (root) in and names its display in a file; the
        // program then knows that display alone.
        std::string configuration;
    };
    const auto sway = [](bool stoppedAtChoice, bool inhibited, bool xwayland) {
        return Case{{"sway", "-c", "sway.conf"},
                    {"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman"},
                    {},
                    {"wtype", "abc"},
                    "the compositor's org_kde_kwin_idle",
                    "Wayland org_kde_kwin_idle",
                    false,
                    stoppedAtChoice,
                    {},
                    inhibited,
                    stoppedAtChoice,
                    xwayland ? "xwayland force\nexec sh -c 'xhost +si:localuser:root && touch "
                               "\"x11$DISPLAY\"'\n"
                             : ""};
    };
    const Case cases[] = {
        sway(false, true, false),
        sway(true, false, false),
        sway(false, false, true),
        {{(kwinCopy.path() / "kwin_wayland").string(), "--virtual", "--no-lockscreen", "--socket",
          "wayland-kwin"},
         {"KWIN_COMPOSE=Q", "KWIN_WAYLAND_NO_PERMISSION_CHECKS=1"},
         {},
         {DORVEX_FAKE_POINTER},
         "the compositor's ext_idle_notifier_v1",
         "Wayland ext_idle_notifier_v1",
         false,
         false,
         "wayland-kwin",
         true},
        {{"mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor", "800x600"},
         {},
         {"gdbus", "wait", "--session", "--timeout", "20", "org.gnome.Mutter.RemoteDesktop"},
         {"/usr/bin/python3", "-c", mutterKeys},
         "org.gnome.Mutter.IdleMonitor",
         "GNOME Mutter idle monitor",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command.front() + c.configuration);
        Compositor compositor(c.command, c.environment, c.configuration);
        std::optional<test::ScopedEnvironment> display;
        std::vector<std::string> inputEnvironment;
        if (c.lateSocket.empty()) {
            compositor.start();
            ASSERT_TRUE(compositor.awaitFile("wayland-"));
            ASSERT_TRUE(c.ready.empty() || test::runCommand(c.ready).status == 0);
        } else {
            compositor.waylandDisplay.emplace("WAYLAND_DISPLAY", c.lateSocket);
        }
        if (!c.configuration.empty()) {
            const std::optional<std::string> x11 = compositor.awaitFile("x11:");
            ASSERT_TRUE(x11);
            display.emplace("DISPLAY", x11->substr(3));
            inputEnvironment = {"WAYLAND_DISPLAY=" + *compositor.awaitFile("wayland-")};
            compositor.waylandDisplay.emplace("WAYLAND_DISPLAY", std::nullopt);
            const test::ScopedEnvironment elsewhere("XDG_RUNTIME_DIR", kwinCopy.path().string());
            std::ostringstream unwatched;
            EXPECT_EQ(chooseInputDevices(unwatched)->notWatchedReason(),
                      "a Wayland session (the X display is XWayland) without its compositor's "
                      "socket in $XDG_RUNTIME_DIR");
        }
        const test::ScopedEnvironment sessionType("XDG_SESSION_TYPE", std::nullopt);
        std::ostringstream said;
        if (c.stoppedAtChoice) {
            compositor.compositor->kill(SIGSTOP);
        }
        const std::unique_ptr<InputDevices> devices = chooseInputDevices(said);
        if (c.stoppedAtChoice) {
            EXPECT_EQ(devices->notWatchedReason(), "the Wayland compositor has not answered yet");
            compositor.compositor->kill(SIGCONT);
        }
        MdInDataChange poll(*devices);
        poll.Prime_Input();
        const auto pollAfter = [&poll](int milliseconds) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
            return poll.Poll_Input();
        };
        // Polls each second until one answers `wanted`, 15 at most; the last answer.
        const auto pollUntil = [&](const std::string& wanted) {
            std::string answer = pollAfter(1000);
            for (int polls = 1; polls < 15 && answer != wanted; ++polls) {
                answer = pollAfter(1000);
            }
            return answer;
        };
        for (int polls = 0; polls < 10 && !c.lateSocket.empty(); ++polls) {
            EXPECT_EQ(pollAfter(500), "_ _");
            EXPECT_EQ(devices->notWatchedReason(), "the Wayland compositor in $WAYLAND_DISPLAY "
                                                   "(\"wayland-kwin\") cannot be reached");
        }
        // A compositor still starting may answer after the choice, and one started since is
        // tried again within seconds: its source is taken up then. Its start-up counts as input
        // until the session has been quiet for a while.
        const auto expectInputSeen = [&] {
            std::vector<std::string> polls{pollAfter(500)};
            while ((polls.back() != "_ _" || !devices->notWatchedReason().empty()) &&
                   polls.size() < 80) {
                polls.push_back(pollAfter(500));
            }
            ASSERT_EQ(polls.back(), "_ _") << "the session never fell quiet";
            ASSERT_EQ(devices->notWatchedReason(), "");
            EXPECT_TRUE(said.str().ends_with("Dorvex Zede watches keyboard and mouse through " +
                                             c.source + "\n"))
                << said.str();
            EXPECT_EQ(said.str().starts_with("Dorvex Zede waits"), c.stoppedAtChoice);
            EXPECT_EQ(devices->sourceName(), c.name);
            ASSERT_EQ(test::runCommand(c.input, inputEnvironment).status, 0);
            // The input shows at the first poll after the compositor has taken it, which a busy
            // machine may delay by a poll or two where the test cannot tell when. The polls after
            // the first are more than a second apart, as the program's are: one input is seen
            // once.
            polls = {pollAfter(500)};
            while (!c.inputTaken && polls.back() == "_ _" && polls.size() < 10) {
                polls.push_back(pollAfter(1200));
            }
            EXPECT_EQ(polls.back(), "I I") << polls.size() << " polls";
            EXPECT_EQ((std::vector{pollAfter(1200), pollAfter(1000)}),
                      (std::vector<std::string>{"_ _", "_ _"}));
        };
        if (!c.lateSocket.empty()) {
            compositor.start();
        }
        expectInputSeen();
        if (c.inhibited) {
            test::ChildProcess inhibitor({DORVEX_IDLE_INHIBITOR}, inputEnvironment);
            ASSERT_EQ(inhibitor.readLine(std::chrono::seconds(20)), "inhibiting");
            // Taken while idle, it shows within a few polls, and holds until it goes.
            EXPECT_EQ(pollUntil("I I"), "I I");
            EXPECT_EQ((std::vector{pollAfter(1000), pollAfter(1000)}),
                      (std::vector<std::string>{"I I", "I I"}));
            inhibitor.stop();
            EXPECT_EQ(pollUntil("_ _"), "_ _");
            EXPECT_EQ(pollAfter(1000), "_ _");
        }
        if (c.restarted) {
            compositor.compositor->kill(SIGKILL);
            compositor.start();
            expectInputSeen();
        }
    }
}

} // namespace
} // namespace dorvex

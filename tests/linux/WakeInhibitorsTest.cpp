#include "platform/linux/DbusWakeInhibitors.h"
#include "platform/linux/LogindSessions.h"
#include "tests/linux/MockLogind.h"
#include "tests/linux/PolledWatches.h"

#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

namespace dorvex {
namespace {

using namespace std::chrono_literals;

// A session service mocked by dbusmock, and the signal with which it tells of a change.
struct SessionService {
    std::string name, path, interface, method, inSignature;
    std::string changeSignal, changeSignature, changeArguments;
};
const SessionService gnome{"org.gnome.SessionManager",
                           "/org/gnome/SessionManager",
                           "org.gnome.SessionManager",
                           "IsInhibited",
                           "u",
                           "InhibitorAdded",
                           "o",
                           "[<objectpath '/org/gnome/SessionManager/Inhibitor1'>]"};
const SessionService kde{"org.freedesktop.PowerManagement",
                         "/org/freedesktop/PowerManagement/Inhibit",
                         "org.freedesktop.PowerManagement.Inhibit",
                         "HasInhibit",
                         "",
                         "HasInhibitChanged",
                         "b",
                         "[<true>]"};
const WakeInhibitor gnomeHolder{"An application", "it asked GNOME not to go idle"};
const WakeInhibitor kdeHolder{"An application", "it asked KDE not to go idle"};

class WakeInhibitorsTest : public ::testing::Test {
protected:
    static constexpr auto recheck = 4s;
    static constexpr auto giveUp = 2500ms;

    std::unique_ptr<test::ChildProcess> start(const SessionService& s) const {
        return session.startMock(s.name, {s.name, s.path, s.interface});
    }
    // Makes the service answer as `code` (Python, as dbusmock takes it) says, and signal the
    // change as the real service does unless `told` is false.
    void answer(const SessionService& s, const std::string& code, bool told = true) const {
        session.callMock(s.name, s.path,
                         {"AddMethod", s.interface, s.method, s.inSignature, "b", code});
        if (told) {
            session.callMock(
                s.name, s.path,
                {"EmitSignal", s.interface, s.changeSignal, s.changeSignature, s.changeArguments});
        }
    }
    // How often the service, or logind for its list, has been asked.
    long questions(const SessionService& s) const {
        return count(session.callMock(s.name, s.path, {"GetCalls"}), s.method);
    }
    long logindQuestions() const { return count(logind.calls(), "ListInhibitors"); }
    static long count(const std::string& calls, const std::string& method) {
        const std::string asked = "'" + method + "'";
        long count = 0;
        for (auto at = calls.find(asked); at != std::string::npos; at = calls.find(asked, at + 1)) {
            ++count;
        }
        return count;
    }
    // The answer once it is `expected` and `asked` holds, or after ten seconds, asked as the
    // program asks: a call each tick, with the event loop reading what arrives in between. An
    // answer that is to stay as it was tells nothing before the service has been asked again
    // (`asked`); the mock had sent that answer before it told of the question.
    std::optional<WakeInhibitor> settled(
        const std::optional<WakeInhibitor>& expected,
        const std::function<bool()>& asked = [] { return true; }) {
        const auto end = std::chrono::steady_clock::now() + 10s;
        bool askedAgain = false;
        do {
            inhibitors.holder();
            watches.dispatchFor(100ms);
        } while ((!(askedAgain = askedAgain || asked()) || inhibitors.holder() != expected) &&
                 std::chrono::steady_clock::now() < end);
        watches.dispatchFor(100ms);
        return inhibitors.holder();
    }
    // True once the service has had more questions than when this was called.
    std::function<bool()> askedAgain(const std::function<long()>& questionsSoFar) const {
        return [questionsSoFar, before = questionsSoFar()] { return questionsSoFar() > before; };
    }

    test::MockLogind logind;
    test::PrivateBus session{"DBUS_SESSION_BUS_ADDRESS"};
    std::unique_ptr<test::ChildProcess> services[2] = {start(gnome), start(kde)};
    test::PolledWatches watches;
    DbusWakeInhibitors inhibitors{watches, recheck, giveUp};
};

TEST_F(WakeInhibitorsTest, EachServiceHoldsWhileItsInhibitorIsHeld) {
    EXPECT_EQ(settled(std::nullopt, [&] { return logindQuestions() > 0; }), std::nullopt)
        << "no lock, and session services without the methods";
    const auto ofLogind = [&] { return logindQuestions(); };
    const auto locking = [&](const std::string& what, const std::string& mode, int pid = 4242) {
        return [&, what, mode, pid](bool held) { logind.listLock(held ? what : "", mode, pid); };
    };
    const auto saying = [&](const SessionService& service, const std::string& yes) {
        return [&, yes](bool held) { answer(service, held ? yes : "ret = False"); };
    };
    const auto of = [&](const SessionService& service) {
        return [&] { return questions(service); };
    };
    const struct {
        std::function<void(bool)> hold;
        std::function<long()> questions;
        std::optional<WakeInhibitor> holder;
    } cases[] = {
        {locking("idle", "block"), ofLogind, WakeInhibitor{"Totem", "Playing a video"}},
        {locking("sleep:shutdown", "block"), ofLogind, WakeInhibitor{"Totem", "Playing a video"}},
        {locking("sleep:idle", "delay"), ofLogind, std::nullopt},
        {locking("handle-power-key", "block"), ofLogind, std::nullopt},
        {locking("idle", "block", getpid()), ofLogind, std::nullopt},   // the program's own
        {saying(gnome, "ret = args[0] == 12"), of(gnome), gnomeHolder}, // idling and suspending
        {saying(kde, "ret = True"), of(kde), kdeHolder},
    };
    for (const auto& c : cases) {
        auto asked = askedAgain(c.questions);
        c.hold(true);
        EXPECT_EQ(settled(c.holder, asked), c.holder) << &c - cases;
        asked = askedAgain(c.questions);
        c.hold(false);
        EXPECT_EQ(settled(std::nullopt, asked), std::nullopt) << &c - cases << " released";
    }
}

// Quiet ticks send nothing: a change the service does not signal is seen at its next recheck.
TEST_F(WakeInhibitorsTest, WithoutASignalAServiceIsAskedAgainOnlyAtItsRecheck) {
    EXPECT_EQ(settled(std::nullopt, [&] { return logindQuestions() > 0; }), std::nullopt);
    const long asked = questions(kde);
    answer(kde, "ret = True", false);
    for (int tick = 0; tick < 2; ++tick) {
        watches.dispatchFor(1s);
        EXPECT_EQ(inhibitors.holder(), std::nullopt) << tick;
    }
    EXPECT_EQ(questions(kde), asked) << "asked with nothing signalled";
    watches.dispatchFor(recheck - 2s);
    EXPECT_EQ(settled(kdeHolder), kdeHolder);
}

// A service missing at first is not asked again and again; it is asked when it comes.
TEST_F(WakeInhibitorsTest, AServiceIsAskedWhenItComesAndHoldsNothingOnceGone) {
    services[1].reset();
    EXPECT_EQ(settled(std::nullopt, [&] { return logindQuestions() > 0; }), std::nullopt);
    const test::TempFolder folder;
    folder.write("kde_inhibited.py", "BUS_NAME = '" + kde.name + "'\nMAIN_OBJ = '" + kde.path +
                                         "'\nMAIN_IFACE = '" + kde.interface +
                                         "'\nSYSTEM_BUS = False\n"
                                         "def load(mock, parameters):\n"
                                         "    mock.AddMethod(MAIN_IFACE, '" +
                                         kde.method + "', '', 'b', 'ret = True')\n");
    services[1] =
        session.startMock(kde.name, {"--template", (folder.path() / "kde_inhibited.py").string()});
    EXPECT_EQ(settled(kdeHolder), kdeHolder);
    services[1].reset();
    EXPECT_EQ(settled(std::nullopt), std::nullopt);
}

// Asked once a second, as the program does: a slow service's answer counts when it comes, its
// last answer standing until then, and a hung one counts as nobody once its time is up. The call
// never waits for either.
TEST_F(WakeInhibitorsTest, OnceASecondASlowServiceIsHeardAndAHungOneCountsAsNobodyAfterItsTime) {
    answer(kde, "ret = True");
    EXPECT_EQ(settled(kdeHolder), kdeHolder);
    answer(gnome, "time.sleep(1.5)\nret = True");
    EXPECT_EQ(settled(gnomeHolder), gnomeHolder) << "the answer that came after 1.5 s";
    answer(gnome, "time.sleep(30)"); // asked at the first tick
    std::vector<std::optional<WakeInhibitor>> holders;
    for (int tick = 0; tick < 5; ++tick) {
        watches.dispatchFor(1s);
        const auto start = std::chrono::steady_clock::now();
        holders.push_back(inhibitors.holder());
        // Waiting for the hung service would take seconds; a busy machine may keep the thread
        // from running for tens of milliseconds.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 300ms);
    }
    EXPECT_EQ(holders, (std::vector<std::optional<WakeInhibitor>>{
                           gnomeHolder, gnomeHolder, gnomeHolder, kdeHolder, kdeHolder}));
}

// Another session in use is a sign: listed at the start, told of with SessionNew, dropped with
// SessionRemoved, gone with the login manager.
TEST_F(WakeInhibitorsTest, AnotherSessionUsedWithinTheQuietLimitIsASign) {
    const auto usedAgo = [](std::chrono::seconds ago) {
        const auto at = std::chrono::system_clock::now() - ago;
        return "<uint64 " +
               std::to_string(
                   std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch())
                       .count()) +
               ">}";
    };
    const std::string ssh = "{'Remote': <true>, 'RemoteHost': <'127.0.0.1'>, 'Service': <'sshd'>, "
                            "'Type': <'tty'>, 'IdleHint': <true>, 'IdleSinceHint': ";
    const struct {
        std::string id, user, changes;
        std::optional<std::string> sign;
        bool later = false; // told of with SessionNew once the sessions were listed
    } cases[] = {
        {"a", "alice", ssh + usedAgo(150s),
         "alice is logged in over ssh from 127.0.0.1, active 2 min ago"},
        {"b", "alice", ssh + usedAgo(1000s), std::nullopt}, // longer ago than the quiet limit
        {"c", "gdm", "{'Class': <'greeter'>}", std::nullopt},
        {"own", "carol", "{}", std::nullopt},
        {"e", "dave", "{'State': <'online'>}", std::nullopt}, // in the background of the seat
        {"d", "bob", "{}", "bob is logged in on seat0, active now", true},
    };
    logind.replaceMethod("GetSessionByPID", "u", "o",
                         "ret = '" + test::MockLogind::sessionPath("own") + "'");
    std::unique_ptr<LogindSessions> sessions;
    const auto signsOnce = [&](const std::vector<std::string>& wanted) {
        std::vector<std::string> signs;
        const auto end = std::chrono::steady_clock::now() + 10s;
        do {
            watches.dispatchFor(100ms);
            signs.clear();
            sessions->addSigns(900s, signs);
        } while (signs != wanted && std::chrono::steady_clock::now() < end);
        return signs;
    };
    std::vector<std::string> expected;
    for (const bool later : {false, true}) {
        for (const auto& c : cases) {
            if (c.later == later) {
                logind.addSession(c.id, 1000 + (&c - cases), c.user, c.changes, later);
                if (c.sign) {
                    expected.push_back(*c.sign);
                }
            }
        }
        if (!sessions) {
            sessions = std::make_unique<LogindSessions>(watches);
        }
        EXPECT_EQ(signsOnce(expected), expected) << "later: " << later;
    }
    logind.removeSession("a");
    expected.erase(expected.begin());
    EXPECT_EQ(signsOnce(expected), expected) << "dropped with SessionRemoved";
    logind.stopService();
    EXPECT_EQ(signsOnce({}), std::vector<std::string>{}) << "no login manager";
}

} // namespace
} // namespace dorvex

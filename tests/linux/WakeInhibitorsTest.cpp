#include "platform/linux/DbusWakeInhibitors.h"
#include "tests/linux/MockLogind.h"

#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace dorvex {
namespace {

using namespace std::chrono_literals;

// A session service mocked by dbusmock: name, object, interface, the method asked, its arguments.
using SessionService = std::array<std::string, 5>;
const SessionService gnome{"org.gnome.SessionManager", "/org/gnome/SessionManager",
                           "org.gnome.SessionManager", "IsInhibited", "u"};
const SessionService kde{"org.freedesktop.PowerManagement",
                         "/org/freedesktop/PowerManagement/Inhibit",
                         "org.freedesktop.PowerManagement.Inhibit", "HasInhibit", ""};
const WakeInhibitor gnomeHolder{"An application", "it asked GNOME not to go idle"};
const WakeInhibitor kdeHolder{"An application", "it asked KDE not to go idle"};

class WakeInhibitorsTest : public ::testing::Test {
protected:
    std::unique_ptr<test::ChildProcess> start(const SessionService& s) const {
        return session.startMock(s[0], {s[0], s[1], s[2]});
    }
    // Makes the service answer as `code` (Python, as dbusmock takes it) says.
    void answer(const SessionService& s, const std::string& code) const {
        session.callMock(s[0], s[1], {"AddMethod", s[2], s[3], s[4], "b", code});
    }
    // The answer once the services have had time to reply: each call reads the replies to the
    // questions of the one before, and a new connection takes a call or two to be let in.
    std::optional<WakeInhibitor> settled() {
        for (int call = 0; call < 4; ++call) {
            inhibitors.holder();
            std::this_thread::sleep_for(100ms);
        }
        return inhibitors.holder();
    }

    test::MockLogind logind;
    test::PrivateBus session{"DBUS_SESSION_BUS_ADDRESS"};
    std::unique_ptr<test::ChildProcess> services[2] = {start(gnome), start(kde)};
    DbusWakeInhibitors inhibitors;
};

TEST_F(WakeInhibitorsTest, EachServiceHoldsWhileItsInhibitorIsHeld) {
    EXPECT_EQ(settled(), std::nullopt) << "no lock, and session services without the methods";
    const auto locking = [&](const std::string& what, const std::string& mode, int pid = 4242) {
        return [&, what, mode, pid](bool held) { logind.listLock(held ? what : "", mode, pid); };
    };
    const auto saying = [&](const SessionService& service, const std::string& yes) {
        return [&, yes](bool held) { answer(service, held ? yes : "ret = False"); };
    };
    const struct {
        std::function<void(bool)> hold;
        std::optional<WakeInhibitor> holder;
    } cases[] = {
        {locking("idle", "block"), WakeInhibitor{"Totem", "Playing a video"}},
        {locking("sleep:shutdown", "block"), WakeInhibitor{"Totem", "Playing a video"}},
        {locking("sleep:idle", "delay"), std::nullopt},
        {locking("handle-power-key", "block"), std::nullopt},
        {locking("idle", "block", getpid()), std::nullopt},  // the program's own
        {saying(gnome, "ret = args[0] == 12"), gnomeHolder}, // idling and suspending
        {saying(kde, "ret = True"), kdeHolder},
    };
    for (const auto& c : cases) {
        c.hold(true);
        EXPECT_EQ(settled(), c.holder) << &c - cases;
        c.hold(false);
        EXPECT_EQ(settled(), std::nullopt) << &c - cases << " released";
    }
}

// Asked once a second, as the program does: an answer that came in is kept however late it is read.
TEST_F(WakeInhibitorsTest,
       OnceASecondAHungServiceNeverHoldsUpTheCallAndCountsAsNobodyAfterItsTime) {
    answer(gnome, "ret = True");
    answer(kde, "ret = True");
    EXPECT_EQ(settled(), gnomeHolder);
    answer(gnome, "time.sleep(4)"); // from the next question on
    std::vector<std::optional<WakeInhibitor>> holders;
    for (int tick = 0; tick < 3; ++tick) {
        std::this_thread::sleep_for(1s);
        const auto start = std::chrono::steady_clock::now();
        holders.push_back(inhibitors.holder());
        // Waiting for the hung service would take seconds; a busy machine's scheduling, some.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 20ms);
    }
    EXPECT_EQ(holders,
              (std::vector<std::optional<WakeInhibitor>>{gnomeHolder, kdeHolder, kdeHolder}));
}

} // namespace
} // namespace dorvex

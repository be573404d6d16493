#include "platform/linux/DbusWakeInhibitors.h"
#include "tests/linux/MockLogind.h"

#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace dorvex {
namespace {

using namespace std::chrono_literals;

// A session service that answers yes or no.
struct SessionService {
    std::string name, path, interface, method, inSignature;
};
const SessionService gnome{"org.gnome.SessionManager", "/org/gnome/SessionManager",
                           "org.gnome.SessionManager", "IsInhibited", "u"};
const SessionService kde{"org.freedesktop.PowerManagement",
                         "/org/freedesktop/PowerManagement/Inhibit",
                         "org.freedesktop.PowerManagement.Inhibit", "HasInhibit", ""};
const WakeInhibitor film{"Totem", "Playing a video"};
const WakeInhibitor gnomeHolder{"An application", "it asked GNOME not to go idle"};
const WakeInhibitor kdeHolder{"An application", "it asked KDE not to go idle"};

class WakeInhibitorsTest : public ::testing::Test {
protected:
    std::unique_ptr<test::ChildProcess> start(const SessionService& service) {
        return session.startMock(service.name, {service.name, service.path, service.interface});
    }
    // Makes the service answer as `code` (Python, as dbusmock takes it) says.
    void answer(const SessionService& service, const std::string& code) const {
        session.callMock(
            service.name, service.path,
            {"AddMethod", service.interface, service.method, service.inSignature, "b", code});
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
    test::PrivateBus session{false};
    std::unique_ptr<test::ChildProcess> gnomeService = start(gnome);
    std::unique_ptr<test::ChildProcess> kdeService = start(kde);
    DbusWakeInhibitors inhibitors;
};

TEST_F(WakeInhibitorsTest, EachServiceHoldsWhileItsInhibitorIsHeld) {
    EXPECT_EQ(settled(), std::nullopt) << "no lock, and session services without the methods";
    std::unique_ptr<test::ChildProcess> lock;
    const auto logindLock = [&](const std::string& what, const std::string& mode) {
        return [&, what, mode](bool held) { lock = held ? logind.inhibit(what, mode) : nullptr; };
    };
    const struct {
        std::string name;
        std::function<void(bool)> hold;
        std::optional<WakeInhibitor> holder;
    } cases[] = {
        {"idle", logindLock("idle", "block"), film},
        {"sleep, shutdown", logindLock("sleep:shutdown", "block"), film},
        {"a delay", logindLock("sleep:idle", "delay"), std::nullopt},
        {"the power key", logindLock("handle-power-key", "block"), std::nullopt},
        // GNOME is asked about idling and suspending.
        {"GNOME",
         [&](bool held) { answer(gnome, held ? "ret = bool(args[0] == 12)" : "ret = False"); },
         gnomeHolder},
        {"KDE", [&](bool held) { answer(kde, held ? "ret = True" : "ret = False"); }, kdeHolder},
    };
    for (const auto& c : cases) {
        c.hold(true);
        EXPECT_EQ(settled(), c.holder) << c.name;
        c.hold(false);
        EXPECT_EQ(settled(), std::nullopt) << c.name << " released";
    }
}

TEST_F(WakeInhibitorsTest, AHungServiceNeverHoldsUpTheCallAndCountsAsNobodyAfterItsTime) {
    answer(gnome, "ret = True");
    answer(kde, "ret = True");
    EXPECT_EQ(settled(), gnomeHolder);
    answer(gnome, "time.sleep(4)");
    std::optional<WakeInhibitor> holder;
    for (int call = 0; call < 8; ++call) {
        const auto start = std::chrono::steady_clock::now();
        holder = inhibitors.holder();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5ms);
        std::this_thread::sleep_for(DbusWakeInhibitors::answerTime / 3);
    }
    EXPECT_EQ(holder, kdeHolder);
}

} // namespace
} // namespace dorvex

#include "platform/linux/DbusDesktopNotices.h"
#include "tests/linux/PolledWatches.h"
#include "tests/linux/PrivateBus.h"

#include <gmock/gmock.h>
#include <sstream>

namespace dorvex {
namespace {

using namespace std::chrono_literals;

// Each notice is closed by the id the daemon gave it: withdrawn after the id came, before it came,
// or at the program's end.
TEST(DesktopNotices, AnUrgentNoticeIsClosedByTheIdItsDaemonGaveIt) {
    test::PrivateBus session{"DBUS_SESSION_BUS_ADDRESS"};
    const auto daemon =
        session.startMock("org.freedesktop.Notifications", {"--template", "notification_daemon"});
    test::PolledWatches watches;
    // The calls that reached the daemon once `call` is among them, or after ten seconds.
    const auto callsWith = [&](const std::string& call) {
        std::string calls;
        for (int tick = 0; tick < 100 && calls.find(call) == std::string::npos; ++tick) {
            watches.dispatchFor(100ms);
            calls = session.callMock("org.freedesktop.Notifications",
                                     "/org/freedesktop/Notifications", {"GetCalls"});
        }
        return calls;
    };
    std::ostringstream said;
    for (const std::string id : {"1", "2", "3"}) { // the daemon counts its notices from 1
        auto notices = std::make_unique<DbusDesktopNotices>("Dorvex Zede", watches, said);
        notices->show("Power Off In 60s", "Cancel it.");
        if (id == "1") {
            EXPECT_THAT(callsWith("'Notify'"),
                        testing::HasSubstr("'Notify', [<'Dorvex Zede'>, <uint32 0>, <''>, <'Power "
                                           "Off In 60s'>, <'Cancel it.'>, <@as []>, <{'urgency': "
                                           "<byte 0x02>}>, <0>]"));
            watches.dispatchFor(100ms); // the id, sent before the daemon told of the call
        }
        id == "3" ? notices.reset() : notices->withdraw();
        const std::string closed = "'CloseNotification', [<" + id + ">]";
        EXPECT_THAT(callsWith(closed), testing::HasSubstr(closed));
    }
    EXPECT_EQ(said.str(), "");
}

} // namespace
} // namespace dorvex

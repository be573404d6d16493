#include "platform/qt/EndRequests.h"
#include "platform/qt/QtProcessControl.h"
#include "tests/qt/QtTestSupport.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace dorvex::test {
namespace {

class ProcessEnd : public LoadedWindow {
protected:
    void SetUp() override {
        tick.intervalMs = 10;
        tick.setTimerEnabled(true);
        load();
    }
    ~ProcessEnd() override {
        // An end outside the application's own loop would end every later box at once; the
        // application's loop clears it when it runs.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    Control& tick = model.add(makeControl("tick", ControlKind::Timer));
    Control& exitButton = model.add(makeControl("Exit", ControlKind::Button));
    QtProcessControl process{windows};
};

TEST_F(ProcessEnd, EndsTheEventLoopWithTheStatusAndNoEventFollows) {
    events.react = [&](const std::string&) {
        if (events.events.size() == 2) {
            process.exit(3);
        }
    };
    EXPECT_EQ(QApplication::exec(), 3);
    QTest::qWait(60);
    widget<QPushButton>("Exit")->click();
    top->close();
    EXPECT_EQ(events.events, (std::vector<std::string>{"timer tick", "timer tick"}));
}

TEST_F(ProcessEnd, EndsAMessageBoxThatIsOpen) {
    QTimer::singleShot(50, [&] { process.exit(1); });
    windows.messageBox("Dorvex Zede", "waiting", MessageIcon::None);
    EXPECT_FALSE(events.events.empty());
    const std::size_t before = events.events.size();
    QTest::qWait(60);
    EXPECT_EQ(events.events.size(), before);
}

// A signal is handled on the event loop, not in its handler; the session's quit request is taken
// from Qt, whose own handling would end the event loop without the program's unload.
TEST(EndRequestsTest, ASignalAndAQuitRequestEachAskTheProgramToEnd) {
    auto& application = static_cast<qt::Application&>(*QCoreApplication::instance());
    int requests = 0;
    const qt::EndRequests endRequests(application, [&] { ++requests; });
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(std::raise(signal), 0);
        EXPECT_EQ(requests, 0) << signal;
        QTest::qWait(20);
        EXPECT_EQ(requests, 1) << signal;
        requests = 0;
    }
    QEvent quit(QEvent::Quit);
    EXPECT_TRUE(QCoreApplication::sendEvent(&application, &quit));
    EXPECT_EQ(requests, 1);
}

} // namespace
} // namespace dorvex::test

#include "tests/qt/QtTestSupport.h"
#include "tests/support/Simulation.h"

#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// The update window as the program leaves it after a reply, shown by the Qt window system; the
// outcomes themselves are the update scenarios' part.
TEST(UpdateWindowBinding, ShowsTheReplysMessageAsPlainTextAndPassesClicksOn) {
    const std::string markup = "<b>Bold</b> &amp; <a href=\"http://elsewhere.example/\">link</a>";
    Simulation sim;
    sim.click("Update");
    sim.fake().windows.runFor(200);
    ASSERT_TRUE(sim.fake().urls.complete(
        "<Contact>contact.htm</Contact><Name>Dorvex Zede</Name><Version1>5.6</Version1>"
        "<Version2>0.0</Version2><Download>dz.zip</Download><History>history.htm</History>"
        "<KIssues>issues.htm</KIssues><Index>index.htm</Index><Message>" +
        markup + "</Message><Uninstall>No</Uninstall>"));
    EventRecord events;
    QtWindowSystem windows;
    windows.load(sim.program().updateWindow.model(), events);
    windows.update();

    QWidget* top = topLevel("frmUpdater");
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->windowTitle(), "Dorvex Zede Update Check");
    auto* message = controlWidget<QPlainTextEdit>("frmUpdater", "Message");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->toPlainText().toStdString(),
              "Click Download to get it\nClick History for change info and Known Issues for any "
              "problems.\n" +
                  markup);
    EXPECT_TRUE(message->isReadOnly());
    EXPECT_TRUE(controlWidget<QPushButton>("frmUpdater", "Download")->isEnabled());
    controlWidget<QPushButton>("frmUpdater", "Exit")->click();
    EXPECT_EQ(events.events, std::vector<std::string>{"click Exit"});
}

} // namespace
} // namespace dorvex::test

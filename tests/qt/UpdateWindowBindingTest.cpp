#include "tests/qt/QtTestSupport.h"
#include "tests/support/Simulation.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

using Strings = std::vector<std::string>;

std::string replyOffering(const std::string& version, const std::string& message) {
    return "<Contact>contact.htm</Contact><Name>Dorvex Zede</Name><Version1>" + version +
           "</Version1><Version2>0.0</Version2><Download>dz.zip</Download>"
           "<History>history.htm</History><KIssues>issues.htm</KIssues><Index>index.htm</Index>"
           "<Message>" +
           message + "</Message><Uninstall>No</Uninstall>";
}

// The update window as the program leaves it after a reply, shown by the Qt window system.
class UpdateWindowBinding : public ::testing::Test {
protected:
    void answer(const std::string& reply) {
        sim.click("Update");
        sim.fake().windows.runFor(200);
        ASSERT_TRUE(sim.fake().urls.complete(reply));
        windows.load(sim.program().updateWindow.model(), events);
        windows.update();
    }

    std::string text(const char* name) {
        return controlWidget<QLineEdit>("frmUpdater", name)->text().toStdString();
    }

    Strings enabledButtons() {
        Strings enabled;
        for (const char* name : {"Contact", "Download", "History", "KIssues", "WebSite", "Exit"}) {
            if (controlWidget<QPushButton>("frmUpdater", name)->isEnabled()) {
                enabled.emplace_back(name);
            }
        }
        return enabled;
    }

    Simulation sim;
    EventRecord events;
    QtWindowSystem windows;
};

TEST_F(UpdateWindowBinding, ANewerVersionWithItsTextsAndButtons) {
    answer(replyOffering("5.6", "Faster."));
    QWidget* top = topLevel("frmUpdater");
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top->isVisible());
    EXPECT_EQ(top->windowTitle(), "Dorvex Zede Update Check");
    EXPECT_EQ(text("Status"), "Version 5.6 of Dorvex Zede is available ");
    EXPECT_EQ(text("UVersion"), "Dorvex Zede Version 5.5");
    EXPECT_EQ(controlWidget<QPlainTextEdit>("frmUpdater", "Message")->toPlainText().toStdString(),
              "Click Download to get it\nClick History for change info and Known Issues for any "
              "problems.\nFaster.");
    EXPECT_EQ(enabledButtons(),
              (Strings{"Contact", "Download", "History", "KIssues", "WebSite", "Exit"}));
    EXPECT_EQ(controlWidget<QPushButton>("frmUpdater", "KIssues")->text(), "&Known Issues");
    EXPECT_EQ(controlWidget<QPushButton>("frmUpdater", "Exit")->toolTip(),
              "Close Dorvex Zede update check");
}

TEST_F(UpdateWindowBinding, TheSameVersionLeavesDownloadDisabled) {
    answer(replyOffering("5.5", "Nothing new."));
    EXPECT_EQ(text("Status"), "You have the latest version of Dorvex Zede");
    EXPECT_EQ(enabledButtons(), (Strings{"Contact", "History", "KIssues", "WebSite", "Exit"}));
}

TEST_F(UpdateWindowBinding, TheMessageIsPlainTextNeverMarkup) {
    const std::string markup = "<b>Bold</b> &amp; <a href=\"http://elsewhere.example/\">link</a>";
    answer(replyOffering("5.5", markup));
    auto* message = controlWidget<QPlainTextEdit>("frmUpdater", "Message");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->toPlainText().toStdString(),
              "Click Known Issues to see any problems we are aware of.\n" + markup);
    EXPECT_TRUE(message->isReadOnly());
}

TEST_F(UpdateWindowBinding, AButtonClickReachesTheWindow) {
    answer(replyOffering("5.6", "Faster."));
    controlWidget<QPushButton>("frmUpdater", "Exit")->click();
    EXPECT_EQ(events.events, Strings{"click Exit"});
}

TEST_F(UpdateWindowBinding, TabGoesThroughTheWindowInItsOrder) {
    answer(replyOffering("5.6", "Faster."));
    QWidget* const top = topLevel("frmUpdater");
    QWidget* widget = controlWidget<QWidget>("frmUpdater", "Park");
    Strings order;
    for (int step = 0; step < 100 && (order.empty() || widget->objectName() != "Park"); ++step) {
        if (widget->parentWidget() == top && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            order.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, (Strings{"Park", "Contact", "Download", "History", "KIssues", "WebSite",
                              "Exit", "Message", "UVersion", "Status"}));
}

} // namespace
} // namespace dorvex::test

#include "platform/qt/Conversions.h"
#include "tests/qt/QtTestSupport.h"
#include "tests/support/Simulation.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// Every control's widget shows what its model holds, and Tab follows the model's order.
void expectWidgetsAgreeWithModel(const WindowModel& model) {
    for (const Control& control : model.controls) {
        if (control.kind == ControlKind::Timer) {
            continue;
        }
        SCOPED_TRACE(model.name + "." + control.name);
        auto* widget = controlWidget<QWidget>(model.name, control.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->isEnabled(), control.enabled);
        EXPECT_EQ(widget->isHidden(), !control.visible);
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(box->text().toStdString(), control.text);
            EXPECT_EQ(box->isReadOnly(), control.locked);
        } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text().toStdString(), control.text);
        } else if (auto* label = qobject_cast<QLabel*>(widget); label && label->buddy()) {
            // A caption shows its mnemonic marks itself, as a screen reader reads them.
            EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name),
                      qt::labelCaption(control.text));
        } else if (control.kind == ControlKind::Label) {
            EXPECT_EQ(qobject_cast<QLabel*>(widget)->text(), qt::labelCaption(control.text));
        }
    }
    if (model.tabOrder.empty()) {
        return;
    }
    QWidget* const top = topLevel(model.name);
    QWidget* widget = controlWidget<QWidget>(model.name, model.tabOrder.front());
    std::vector<std::string> order;
    for (int step = 0; step < 100 && order.size() < model.tabOrder.size(); ++step) {
        if (widget->parentWidget() == top && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            order.push_back(widget->objectName().toStdString());
        }
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, model.tabOrder);
}

// The real windows, run by the program on the fake platform, shown by the Qt window system.
class ProgramWindows : public ::testing::Test {
protected:
    ProgramWindows() {
        model.state = WindowState::Normal;
        model.visible = true;
        windows.load(model, events);
    }

    Simulation simulation;
    WindowModel& model = simulation.mainWindow();
    EventRecord events;
    QtWindowSystem windows;
};

// The main window through start-up and countdown, and the about box.
TEST_F(ProgramWindows, ShowTheDesignedWindowsAndAgreeWithTheModelsAfterTheHandlersRan) {
    ASSERT_NE(topLevel("DorvexLMain"), nullptr);
    EXPECT_EQ(topLevel("DorvexLMain")->windowTitle(), "Dorvex Zede");
    expectWidgetsAgreeWithModel(model);
    for (const int seconds : {5, 70}) {
        simulation.advanceSeconds(seconds);
        windows.update();
        expectWidgetsAgreeWithModel(model);
    }
    simulation.click("About");
    WindowModel& about = simulation.program().aboutBox.model();
    windows.load(about, events);
    windows.update();
    expectWidgetsAgreeWithModel(about);
}

// The update window as the program leaves it after a reply; the outcomes themselves are the
// update scenarios' part.
TEST_F(ProgramWindows, TheUpdateWindowShowsTheReplysMessageAsPlainTextAndPassesClicksOn) {
    const std::string markup = "<b>Bold</b> &amp; <a href=\"http://elsewhere.example/\">link</a>";
    simulation.click("Update");
    simulation.fake().windows.runFor(200);
    ASSERT_TRUE(simulation.fake().urls.complete(
        "<Contact>contact.htm</Contact><Name>Dorvex Zede</Name><Version1>5.6</Version1>"
        "<Version2>0.0</Version2><Download>dz.zip</Download><History>history.htm</History>"
        "<KIssues>issues.htm</KIssues><Index>index.htm</Index><Message>" +
        markup + "</Message><Uninstall>No</Uninstall>"));
    WindowModel& update = simulation.program().updateWindow.model();
    EventRecord updateEvents;
    windows.load(update, updateEvents);
    windows.update();
    expectWidgetsAgreeWithModel(update);
    auto* message = controlWidget<QPlainTextEdit>("frmUpdater", "Message");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->toPlainText().toStdString().ends_with("problems.\n" + markup));
    EXPECT_TRUE(message->isReadOnly());
    controlWidget<QPushButton>("frmUpdater", "Exit")->click();
    EXPECT_EQ(updateEvents.events, std::vector<std::string>{"click Exit"});
}

} // namespace
} // namespace dorvex::test

#include "tests/qt/QtTestSupport.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

// The open message boxes, newest last.
std::vector<QMessageBox*> openBoxes() {
    std::vector<QMessageBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
            boxes.push_back(box);
        }
    }
    return boxes;
}

// Runs `action` once the event loop of the next box runs.
void whenBoxOpen(std::function<void()> action) {
    QTimer::singleShot(0, std::move(action));
}

void pressOk(QMessageBox* box) {
    box->button(QMessageBox::Ok)->click();
}

// What an open box shows, and what was on standard error by then.
std::string describe(const QMessageBox& box, const std::string& written) {
    return std::to_string(box.icon()) + " " + box.windowTitle().toStdString() + ": " +
           box.text().toStdString() + " | " + std::to_string(box.buttons().size()) + " button" +
           (box.windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? ", on top" : "") + " | " +
           written;
}

TEST(MessageBoxes, ShowTheIconWithOneOkButtonOnTopAfterStandardError) {
    QtWindowSystem windows;
    std::string seen;
    ::testing::internal::CaptureStderr();
    whenBoxOpen([&] {
        seen = describe(*openBoxes().at(0), ::testing::internal::GetCapturedStderr());
        pressOk(openBoxes().at(0));
    });
    windows.messageBox("Dorvex Zede", "Line one\r\nLine <two>", MessageIcon::Exclamation);
    // On top: a box must not hide behind the countdown, which stays on top.
    EXPECT_EQ(seen, std::to_string(QMessageBox::Warning) +
                        " Dorvex Zede: Line one\nLine <two> | 1 button, on top | "
                        "Dorvex Zede\nLine one\nLine <two>\n\n");
}

using MessageBoxOverWindow = LoadedWindow;

TEST_F(MessageBoxOverWindow, TheWindowIsBroughtInLineAndItsTimersGoOnWhileTheBoxIsOpen) {
    Control& status = model.add(makeControl("StatusActA", ControlKind::Label));
    Control& tick = model.add(makeControl("tick", ControlKind::Timer));
    tick.intervalMs = 20;
    tick.setTimerEnabled(true);
    load();
    status.text = "The Computer Will Power Off In 60";
    QString shownWhileOpen;
    whenBoxOpen([&] { shownWhileOpen = widget<QLabel>("StatusActA")->text(); });
    events.react = [&](const std::string&) {
        if (events.events.size() == 3) {
            pressOk(openBoxes().at(0));
        }
    };
    windows.messageBox("t", "x", MessageIcon::None);
    EXPECT_EQ(shownWhileOpen, "The Computer Will Power Off In 60");
    EXPECT_EQ(events.events.size(), 3U);
}

// The box blocks the program's windows and their tray icon, but not a window while it is on top
// since the box opened (the countdown, whose Cancel must work).
TEST_F(MessageBoxOverWindow, OnlyAWindowShownOnTopSinceTheBoxOpenedTakesInput) {
    model.add(makeControl("Reset", ControlKind::Button));
    load();
    windows.trayAdd({"activate", "Dorvex Zede"});
    std::vector<std::vector<std::string>> reached;
    auto clickAndTray = [&](bool onTop) {
        model.topmost = onTop;
        windows.update();
        // Through the window, as the window system delivers it, where Qt's modality would act.
        QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                          widget("Reset")->geometry().center());
        emit qApp->findChild<QSystemTrayIcon*>("trayIcon")->activated(QSystemTrayIcon::Context);
        QCoreApplication::processEvents();
        reached.push_back(std::exchange(events.events, {}));
    };
    whenBoxOpen([&] {
        for (const bool onTop : {false, true, false}) {
            clickAndTray(onTop);
        }
        pressOk(openBoxes().at(0));
    });
    windows.messageBox("t", "x", MessageIcon::None);
    clickAndTray(false);
    const std::vector<std::string> none;
    const std::vector<std::string> both{"click Reset", "tray 516"};
    EXPECT_EQ(reached, (std::vector{none, both, none, both}));
}

// It closes by itself after its time, and only itself, even when another box with the same
// title is open on top of it.
TEST(TimedMessageBox, ClosesOnlyItsOwnBoxByItselfAfterItsTime) {
    QtWindowSystem windows;
    bool otherOpenWhenTimedClosed = false;
    QString otherText;
    whenBoxOpen([&] {
        // A second box, with the same title, opens on top of the timed one.
        whenBoxOpen([&] {
            QTimer::singleShot(300, [&] {
                const auto boxes = openBoxes();
                otherOpenWhenTimedClosed = boxes.size() == 1;
                if (!boxes.empty()) {
                    otherText = boxes.front()->text();
                    pressOk(boxes.front());
                }
            });
        });
        windows.messageBox("Dorvex Zede", "other", MessageIcon::None);
    });
    windows.timedMessageBox("Dorvex Zede", "timed", MessageIcon::None, 150);
    EXPECT_TRUE(otherOpenWhenTimedClosed);
    EXPECT_EQ(otherText, "other");
    EXPECT_TRUE(openBoxes().empty());
}

} // namespace
} // namespace dorvex::test

#include "tests/qt/QtTestSupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
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

struct IconCase {
    MessageIcon icon;
    QMessageBox::Icon shown;
};

class MessageBoxIcon : public ::testing::TestWithParam<IconCase> {};

TEST_P(MessageBoxIcon, ShowsTheIconWithOneOkButton) {
    QtWindowSystem windows;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    QString shownTitle;
    QString shownText;
    std::size_t buttons = 0;
    Qt::WindowModality modality = Qt::NonModal;
    bool onTop = false;
    whenBoxOpen([&] {
        QMessageBox* box = openBoxes().at(0);
        onTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        shownIcon = box->icon();
        shownTitle = box->windowTitle();
        shownText = box->text();
        buttons = static_cast<std::size_t>(box->buttons().size());
        modality = box->windowModality();
        pressOk(box);
    });
    windows.messageBox("Dorvex Zede", "Line one\r\nLine <two>", GetParam().icon);
    EXPECT_EQ(shownIcon, GetParam().shown);
    EXPECT_EQ(shownTitle, "Dorvex Zede");
    EXPECT_EQ(shownText, "Line one\nLine <two>");
    EXPECT_EQ(buttons, 1U);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_TRUE(onTop) << "a box must not hide behind the countdown, which stays on top";
}

INSTANTIATE_TEST_SUITE_P(Icons, MessageBoxIcon,
                         ::testing::Values(IconCase{MessageIcon::None, QMessageBox::NoIcon},
                                           IconCase{MessageIcon::Stop, QMessageBox::Critical},
                                           IconCase{MessageIcon::Exclamation,
                                                    QMessageBox::Warning}));

TEST(MessageBoxes, AreWrittenToStandardErrorBeforeTheyShow) {
    QtWindowSystem windows;
    std::string writtenWhileOpen;
    ::testing::internal::CaptureStderr();
    whenBoxOpen([&] {
        writtenWhileOpen = ::testing::internal::GetCapturedStderr();
        pressOk(openBoxes().at(0));
    });
    windows.messageBox("Dorvex Zede Simulate Power Off", "The computer would\r\npower off now.",
                       MessageIcon::Exclamation);
    EXPECT_EQ(writtenWhileOpen,
              "Dorvex Zede Simulate Power Off\nThe computer would\npower off now.\n\n");
}

TEST(MessageBoxes, TheWindowsAreBroughtInLineBeforeTheBoxBlocks) {
    WindowModel model = makeWindow();
    Control& status = model.add(makeControl("StatusActA", ControlKind::Label));
    EventRecord events;
    QtWindowSystem windows;
    windows.load(model, events);
    status.text = "The Computer Will Power Off In 60";
    QString shownWhileOpen;
    whenBoxOpen([&] {
        shownWhileOpen = controlWidget<QLabel>("w", "StatusActA")->text();
        pressOk(openBoxes().at(0));
    });
    windows.messageBox("t", "x", MessageIcon::None);
    EXPECT_EQ(shownWhileOpen, "The Computer Will Power Off In 60");
}

TEST(MessageBoxes, TimersGoOnWhileABoxIsOpen) {
    WindowModel model = makeWindow();
    Control& tick = model.add(makeControl("tick", ControlKind::Timer));
    tick.intervalMs = 20;
    tick.setTimerEnabled(true);
    EventRecord events;
    QtWindowSystem windows;
    windows.load(model, events);
    events.react = [&](const std::string&) {
        if (events.events.size() == 3) {
            pressOk(openBoxes().at(0));
        }
    };
    windows.messageBox("t", "x", MessageIcon::None);
    EXPECT_EQ(events.events.size(), 3U);
}

TEST(TimedMessageBox, ClosesByItselfAfterItsTime) {
    QtWindowSystem windows;
    QElapsedTimer open;
    open.start();
    ::testing::internal::CaptureStderr();
    windows.timedMessageBox("Dorvex Zede Test", "Test shutdown", MessageIcon::None, 150);
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_GE(open.elapsed(), 145);
    EXPECT_LT(open.elapsed(), 1500);
    EXPECT_TRUE(openBoxes().empty());
    EXPECT_EQ(written, "Dorvex Zede Test\nTest shutdown\n\n");
}

TEST(TimedMessageBox, OkClosesItAtOnce) {
    QtWindowSystem windows;
    QElapsedTimer open;
    open.start();
    whenBoxOpen([] { pressOk(openBoxes().at(0)); });
    windows.timedMessageBox("t", "x", MessageIcon::None, 5000);
    EXPECT_LT(open.elapsed(), 1000);
}

TEST(TimedMessageBox, ClosesOnlyItsOwnBoxEvenWithTheSameTitle) {
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
    windows.timedMessageBox("Dorvex Zede", "timed", MessageIcon::None, 100);
    EXPECT_TRUE(otherOpenWhenTimedClosed);
    EXPECT_EQ(otherText, "other");
    EXPECT_TRUE(openBoxes().empty());
}

} // namespace
} // namespace dorvex::test

#include "tests/qt/QtTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

class Window : public ::testing::Test {
protected:
    void load() {
        windows.load(model, events);
        top = topLevel("w");
        ASSERT_NE(top, nullptr);
    }

    WindowModel model = makeWindow();
    EventRecord events;
    QtWindowSystem windows;
    QWidget* top = nullptr;
};

TEST_F(Window, CaptionAndFixedClientSizeInPixels) {
    model.caption = "Dorvex Zede";
    model.clientWidth = 5970;
    model.clientHeight = 2010;
    load();
    EXPECT_EQ(top->windowTitle(), "Dorvex Zede");
    EXPECT_EQ(top->size(), QSize(398, 134));
    EXPECT_EQ(top->minimumSize(), top->maximumSize());
    EXPECT_TRUE(top->isVisible());
    model.caption = "About Dorvex Zede";
    windows.update();
    EXPECT_EQ(top->windowTitle(), "About Dorvex Zede");
}

TEST_F(Window, ButtonsOfTheTitleBarFollowTheModel) {
    load();
    EXPECT_FALSE(top->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(top->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    model.minimiseButton = false;
    model.closeCommand = false;
    model.topmost = true;
    windows.update();
    EXPECT_FALSE(top->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(top->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(top->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(top->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    // Becoming topmost leaves the window shown; it is not hidden and shown again.
    EXPECT_TRUE(top->isVisible());
}

TEST_F(Window, TopmostChangesWithoutTakingTheFocus) {
    QLineEdit elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(waitFor([&] { return elsewhere.isActiveWindow(); }));
    model.visible = true;
    load();
    elsewhere.activateWindow();
    ASSERT_TRUE(waitFor([&] { return elsewhere.isActiveWindow(); }));
    model.topmost = true;
    windows.update();
    settle();
    EXPECT_TRUE(elsewhere.isActiveWindow());
}

TEST_F(Window, CloseIsLeftToTheProgram) {
    load();
    EXPECT_FALSE(top->close());
    EXPECT_EQ(events.events, std::vector<std::string>{"close"});
    EXPECT_TRUE(top->isVisible());
}

TEST_F(Window, WithoutTheCloseCommandCloseIsRefusedSilently) {
    model.closeCommand = false;
    load();
    EXPECT_FALSE(top->close());
    EXPECT_TRUE(events.events.empty());
    EXPECT_TRUE(top->isVisible());
}

TEST_F(Window, TheProgramCanUnloadFromTheCloseEvent) {
    events.react = [&](const std::string& event) {
        if (event == "close") {
            windows.unload(model);
        }
    };
    load();
    top->close();
    EXPECT_FALSE(top->isVisible());
    settle();
    EXPECT_EQ(topLevel("w"), nullptr);
}

TEST_F(Window, AButtonThatUnloadsItsWindowEndsItsEvents) {
    model.add(makeControl("Exit", ControlKind::Button));
    Control& tick = model.add(makeControl("tick", ControlKind::Timer));
    tick.intervalMs = 10;
    tick.setTimerEnabled(true);
    events.react = [&](const std::string& event) {
        if (event == "click Exit") {
            windows.unload(model);
        }
    };
    load();
    controlWidget<QPushButton>("w", "Exit")->click();
    QTest::qWait(50);
    EXPECT_EQ(events.events, std::vector<std::string>{"click Exit"});
    settle();
    EXPECT_EQ(topLevel("w"), nullptr);
}

TEST_F(Window, AUserStateChangeIsWrittenToTheModelBeforeTheEvent) {
    std::vector<WindowState> seen;
    events.react = [&](const std::string& event) {
        if (event == "state") {
            seen.push_back(model.state);
        }
    };
    load();
    top->setWindowState(Qt::WindowMinimized);
    top->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(seen, (std::vector<WindowState>{WindowState::Minimised, WindowState::Normal}));
    EXPECT_EQ(model.state, WindowState::Normal);
}

TEST_F(Window, TheProgramsStateChangeRaisesNoEvent) {
    load();
    model.state = WindowState::Minimised;
    windows.update();
    EXPECT_TRUE(top->windowState().testFlag(Qt::WindowMinimized));
    model.state = WindowState::Normal;
    model.visible = false;
    windows.update();
    EXPECT_FALSE(top->isVisible());
    EXPECT_TRUE(events.events.empty());
}

TEST_F(Window, PositionInTwipsAndTheUsersMoveWrittenBack) {
    model.left = 3000;
    model.top = 1500;
    load();
    EXPECT_EQ(top->pos(), QPoint(200, 100));
    // As the window manager reports a move by the user.
    top->windowHandle()->setFramePosition(QPoint(320, 160));
    ASSERT_TRUE(waitFor([&] { return top->pos() == QPoint(320, 160); }));
    EXPECT_EQ(model.left, 4800);
    EXPECT_EQ(model.top, 2400);
    // Placing it where it was first puts it back.
    model.left = 3000;
    model.top = 1500;
    windows.update();
    EXPECT_EQ(top->pos(), QPoint(200, 100));
}

TEST_F(Window, ActivationRaisesOneEventPerNewActiveWindow) {
    EventRecord activations(true);
    windows.load(model, activations);
    top = topLevel("w");
    QLineEdit other;
    top->activateWindow();
    ASSERT_TRUE(waitFor([&] { return top->isActiveWindow(); }));
    settle();
    EXPECT_EQ(activations.events, std::vector<std::string>{"activated"});
    // Another program's window and back: the program's own active window did not change.
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return other.isActiveWindow(); }));
    top->activateWindow();
    ASSERT_TRUE(waitFor([&] { return top->isActiveWindow(); }));
    settle();
    EXPECT_EQ(activations.events, std::vector<std::string>{"activated"});
    // Hidden and shown again, it is activated anew.
    model.visible = false;
    windows.update();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return other.isActiveWindow(); }));
    model.visible = true;
    windows.update();
    top->activateWindow();
    ASSERT_TRUE(waitFor([&] { return activations.events.size() == 2; }));
}

TEST_F(Window, FocusGoesToTheNamedControlAndTheUsersFocusIsWrittenBack) {
    Control& sink = model.add(makeControl("Park", ControlKind::TextBox));
    sink.foreColour = sink.backColour = Colour::buttonFace();
    model.add(makeControl("Reset", ControlKind::Button, {120, 900, 900, 300}));
    model.focus = "Park";
    load();
    auto* park = controlWidget<QLineEdit>("w", "Park");
    auto* reset = controlWidget<QPushButton>("w", "Reset");
    EXPECT_EQ(top->focusWidget(), park);
    top->activateWindow();
    ASSERT_TRUE(waitFor([&] { return top->isActiveWindow(); }));
    reset->setFocus();
    EXPECT_EQ(model.focus, "Reset");
    model.focus = "Park";
    windows.update();
    EXPECT_TRUE(park->hasFocus());
}

TEST_F(Window, BackgroundAndIcon) {
    model.background = Colour::rgb(255, 255, 255);
    model.icon = "window";
    load();
    EXPECT_EQ(top->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(top->windowIcon().isNull());
}

TEST_F(Window, AHiddenWindowSetsNothingUntilItShows) {
    Control& label = model.add(makeControl("StatusActA", ControlKind::Label));
    model.visible = false;
    load();
    label.text = "Activate in 2s";
    windows.update();
    auto* shown = controlWidget<QLabel>("w", "StatusActA");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), "");
    model.visible = true;
    windows.update();
    EXPECT_EQ(shown->text(), "Activate in 2s");
}

// Counts paint requests of a window and its children.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest) {
            ++paints;
        }
        return false;
    }
    int paints = 0;
};

TEST_F(Window, AnUpdateWithoutChangesPaintsNothing) {
    Control& cpu = model.add(makeControl("CPUAct", ControlKind::TextBox));
    model.add(makeControl("Title", ControlKind::Label, {120, 900, 3000, 300})).text = "Power Off";
    load();
    QTest::qWait(50);
    PaintCounter counter;
    top->installEventFilter(&counter);
    for (QWidget* child : top->findChildren<QWidget*>()) {
        child->installEventFilter(&counter);
    }
    for (int i = 0; i < 5; ++i) {
        windows.update();
    }
    QTest::qWait(50);
    EXPECT_EQ(counter.paints, 0);
    cpu.text = " 7%";
    windows.update();
    QTest::qWait(50);
    EXPECT_GT(counter.paints, 0);
}

} // namespace
} // namespace dorvex::test

#include "tests/qt/QtTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace dorvex::test {
namespace {

using Window = LoadedWindow;

TEST_F(Window, CloseIsLeftToTheProgramAndRefusedSilentlyWithoutTheCloseCommand) {
    load();
    for (const bool closeCommand : {true, false}) {
        model.closeCommand = closeCommand;
        windows.update();
        EXPECT_FALSE(top->close());
        EXPECT_TRUE(top->isVisible());
        EXPECT_EQ(events.events, std::vector<std::string>{"close"});
    }
}

TEST_F(Window, AHandlerThatUnloadsItsWindowEndsItAndItsEvents) {
    model.add(makeControl("Exit", ControlKind::Button));
    Control& tick = model.add(makeControl("tick", ControlKind::Timer));
    tick.intervalMs = 10;
    tick.setTimerEnabled(true);
    events.react = [&](const std::string& event) {
        if (event == "click Exit" || event == "close") {
            windows.unload(model);
        }
    };
    for (const std::string trigger : {"click Exit", "close"}) {
        events.events.clear();
        load();
        trigger == "close" ? void(top->close()) : widget<QPushButton>("Exit")->click();
        EXPECT_FALSE(top->isVisible());
        QTest::qWait(50);
        EXPECT_EQ(events.events, std::vector<std::string>{trigger});
        settle();
        EXPECT_EQ(topLevel("w"), nullptr);
    }
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

// The user's state change is in the model before the event, the program's raises none; an update
// without changes paints nothing, and a hidden window sets nothing until it shows.
TEST_F(Window, StateChangesAndUpdatesCostOnlyWhatChanged) {
    Control& label = model.add(makeControl("StatusActA", ControlKind::Label));
    std::vector<WindowState> seen;
    events.react = [&](const std::string& event) {
        if (event == "state") {
            seen.push_back(model.state);
        }
    };
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

    top->setWindowState(Qt::WindowMinimized);
    top->setWindowState(Qt::WindowNoState);
    EXPECT_EQ(seen, (std::vector<WindowState>{WindowState::Minimised, WindowState::Normal}));
    EXPECT_EQ(model.state, WindowState::Normal);

    model.state = WindowState::Minimised;
    windows.update();
    EXPECT_TRUE(top->windowState().testFlag(Qt::WindowMinimized));
    model.state = WindowState::Normal;
    model.visible = false;
    windows.update();
    EXPECT_FALSE(top->isVisible());
    EXPECT_EQ(seen.size(), 2U);
    label.text = "Activate in 2s";
    model.visible = true;
    windows.update();
    EXPECT_EQ(widget<QLabel>("StatusActA")->text(), "Activate in 2s");
    QTest::qWait(50);
    EXPECT_GT(counter.paints, 0);
}

TEST_F(Window, ActivationFocusTitleBarAndTopmost) {
    Control& sink = model.add(makeControl("Park", ControlKind::TextBox));
    sink.foreColour = sink.backColour = Colour::buttonFace();
    model.add(makeControl("Reset", ControlKind::Button, {120, 900, 900, 300}));
    model.focus = "Park";
    events.withActivations = true;
    load();
    EXPECT_EQ(top->focusWidget(), widget("Park"));
    QLineEdit other;
    top->activateWindow();
    ASSERT_TRUE(waitFor([&] { return top->isActiveWindow(); }));
    settle();
    EXPECT_EQ(events.events, std::vector<std::string>{"activated"});
    // The buttons of the title bar, and topmost, follow the model without taking the focus.
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return other.isActiveWindow(); }));
    const auto titleBar = [&] {
        return top->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint |
                                     Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    };
    EXPECT_EQ(titleBar(), Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    model.minimiseButton = false;
    model.closeCommand = false;
    model.topmost = true;
    windows.update();
    settle();
    EXPECT_EQ(titleBar(), Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(top->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    // Becoming topmost leaves the window shown, and the focus where it was.
    EXPECT_TRUE(top->isVisible());
    EXPECT_TRUE(other.isActiveWindow());
}

} // namespace
} // namespace dorvex::test

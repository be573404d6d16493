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

// The user's state change is in the model before the event, the program's raises none; a hidden
// window sets nothing until it shows.
TEST_F(Window, StateChangesReachTheModelAndTheWindow) {
    Control& label = model.add(makeControl("StatusActA", ControlKind::Label));
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
}

TEST_F(Window, ActivationFocusAndTopmost) {
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
    // Topmost follows the model without taking the focus.
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return other.isActiveWindow(); }));
    model.topmost = true;
    windows.update();
    settle();
    EXPECT_TRUE(top->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    // Becoming topmost leaves the window shown, and the focus where it was.
    EXPECT_TRUE(top->isVisible());
    EXPECT_TRUE(other.isActiveWindow());
}

} // namespace
} // namespace dorvex::test

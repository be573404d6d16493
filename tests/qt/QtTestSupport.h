#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/support/TestWindow.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dorvex::test {

// Records every event as text ("click Exit", "timer tick", "state", "activated", "close",
// "tray 515"), and runs `react` after recording, as a handler would. Activations are left out
// unless asked for: the offscreen platform activates every window it shows.
class EventRecord : public WindowEvents {
public:
    void click(std::string_view control) override { record("click " + std::string(control)); }
    void timer(std::string_view timer) override { record("timer " + std::string(timer)); }
    void menuChosen(std::string_view item) override { record("menu " + std::string(item)); }
    void activated() override {
        if (withActivations) {
            record("activated");
        }
    }
    void stateChanged() override { record("state"); }
    void closeRequested() override { record("close"); }
    void trayMouse(int code) override { record("tray " + std::to_string(code)); }

    std::vector<std::string> events;
    std::function<void(const std::string&)> react;
    bool withActivations = false;

private:
    void record(const std::string& event) {
        events.push_back(event);
        if (react) {
            react(event);
        }
    }
};

// The top-level widget of a loaded window, by the model's name; null when there is none.
QWidget* topLevel(const std::string& windowName);

// A control's widget in a loaded window, by the names of window and control.
template <typename W>
W* controlWidget(const std::string& windowName, const std::string& controlName) {
    QWidget* window = topLevel(windowName);
    return window == nullptr ? nullptr : window->findChild<W*>(QString::fromStdString(controlName));
}

// Lets the event loop run until the condition holds, for at most the given time: long enough for
// a busy machine, and spent only when the condition never holds.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000);

// Runs pending events, and the deletion of widgets that asked for it.
void settle();

// A control as the program declares it; a timer is stopped.
Control makeControl(std::string name, ControlKind kind, Rect geometry = {120, 120, 1500, 300});

// A test with a visible window "w" of its own at 600 by 300 pixels, 96 dots per inch, loaded by
// `load` into a Qt window system of its own.
class LoadedWindow : public ::testing::Test {
protected:
    void load() {
        windows.load(model, events);
        top = topLevel(model.name);
        ASSERT_NE(top, nullptr);
    }
    template <typename W = QWidget> W* widget(const std::string& control) {
        return controlWidget<W>(model.name, control);
    }

    WindowModel model = testWindow();
    EventRecord events;
    QtWindowSystem windows;
    QWidget* top = nullptr;
};

} // namespace dorvex::test

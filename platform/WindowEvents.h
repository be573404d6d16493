#pragma once

#include <string_view>

namespace dorvex {

// What the user or the window system does to a window, passed to the window's handlers. The
// window system writes what the user changed (typed text, the window state) into the model first.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void click(std::string_view control) = 0;
    virtual void timer(std::string_view timer) = 0;
    virtual void menuChosen(std::string_view item) = 0;
    virtual void activated() = 0;
    virtual void stateChanged() = 0;
    // The user asked to close the window; the window decides and unloads itself.
    virtual void closeRequested() = 0;
    // A mouse event on the tray icon: 0x0203 double click, 0x0204 right button down.
    virtual void trayMouse(int code) = 0;
};

} // namespace dorvex

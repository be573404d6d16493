#pragma once

#include "platform/WindowEvents.h"

namespace dorvex {

// A window's events, passed on while the window is loaded and the program has not ended.
class GatedEvents final : public WindowEvents {
public:
    GatedEvents(WindowEvents& target, const bool& programRunning)
        : target_(target), programRunning_(programRunning) {}

    // The window is unloaded: nothing more reaches its handlers.
    void close() { open_ = false; }

    void click(std::string_view control) override {
        if (passes()) {
            target_.click(control);
        }
    }
    void timer(std::string_view timer) override {
        if (passes()) {
            target_.timer(timer);
        }
    }
    void menuChosen(std::string_view item) override {
        if (passes()) {
            target_.menuChosen(item);
        }
    }
    void activated() override {
        if (passes()) {
            target_.activated();
        }
    }
    void stateChanged() override {
        if (passes()) {
            target_.stateChanged();
        }
    }
    void closeRequested() override {
        if (passes()) {
            target_.closeRequested();
        }
    }
    void trayMouse(int code) override {
        if (passes()) {
            target_.trayMouse(code);
        }
    }

private:
    bool passes() const { return open_ && programRunning_; }

    WindowEvents& target_;
    const bool& programRunning_;
    bool open_ = true;
};

} // namespace dorvex

#pragma once

#include "platform/WindowEvents.h"

namespace dorvex::qt {

// A window's events, passed on while the window is loaded and the program has not ended.
class GatedEvents final : public WindowEvents {
public:
    GatedEvents(WindowEvents& target, const bool& programRunning)
        : target_(target), programRunning_(programRunning) {}

    // The window is unloaded: nothing more reaches its handlers.
    void close() { open_ = false; }

    void click(std::string_view control) override;
    void timer(std::string_view timer) override;
    void menuChosen(std::string_view item) override;
    void activated() override;
    void stateChanged() override;
    void closeRequested() override;
    void trayMouse(int code) override;

private:
    bool passes() const { return open_ && programRunning_; }

    WindowEvents& target_;
    const bool& programRunning_;
    bool open_ = true;
};

} // namespace dorvex::qt

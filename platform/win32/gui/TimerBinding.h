#pragma once

#include "platform/win32/gui/ControlBinding.h"
#include "platform/windowing/TimerSchedule.h"

namespace dorvex::win32 {

// A timer control: a window timer of the owning window, whose WM_TIMER carries the id.
class TimerBinding final : public ControlBinding {
public:
    TimerBinding(Control& model, HWND window, UINT_PTR id)
        : ControlBinding(model), window_(window), id_(id) {}
    ~TimerBinding() override { stop(); }
    TimerBinding(const TimerBinding&) = delete;
    TimerBinding& operator=(const TimerBinding&) = delete;

    void update(bool windowShown, const DpiScale& scale) override;
    void stop() override;

private:
    HWND window_;
    UINT_PTR id_;
    TimerSchedule schedule_;
};

} // namespace dorvex::win32

#pragma once

#include "platform/qt/ControlBinding.h"
#include "platform/windowing/TimerSchedule.h"

#include <QTimer>

namespace dorvex::qt {

// A timer control: runs while enabled with an interval; a new start in the model starts its
// period again.
class TimerBinding final : public ControlBinding {
public:
    TimerBinding(Control& model, WindowEvents& events);

    void update(bool windowShown) override;
    void stop() override;

private:
    QTimer timer_;
    TimerSchedule schedule_;
};

} // namespace dorvex::qt

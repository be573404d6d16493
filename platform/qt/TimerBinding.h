#pragma once

#include "platform/qt/ControlBinding.h"

#include <QTimer>

#include <cstdint>

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
    bool running_ = false;
    std::uint32_t starts_ = 0;
    int intervalMs_ = 0;
};

} // namespace dorvex::qt

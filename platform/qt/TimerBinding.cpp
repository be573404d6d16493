#include "platform/qt/TimerBinding.h"

namespace dorvex::qt {

TimerBinding::TimerBinding(Control& model, WindowEvents& events) : ControlBinding(model) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_,
                     [this, &events] { events.timer(model_.name); });
}

void TimerBinding::update(bool /*windowShown*/) {
    const bool runs = model_.enabled && model_.intervalMs > 0;
    if (!runs) {
        stop();
        return;
    }
    if (running_ && starts_ == model_.starts && intervalMs_ == model_.intervalMs) {
        return;
    }
    running_ = true;
    starts_ = model_.starts;
    intervalMs_ = model_.intervalMs;
    timer_.start(intervalMs_);
}

void TimerBinding::stop() {
    if (running_) {
        timer_.stop();
        running_ = false;
    }
}

} // namespace dorvex::qt

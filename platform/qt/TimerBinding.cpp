#include "platform/qt/TimerBinding.h"

namespace dorvex::qt {

TimerBinding::TimerBinding(Control& model, WindowEvents& events) : ControlBinding(model) {
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &timer_,
                     [this, &events] { events.timer(model_.name); });
}

void TimerBinding::update(bool /*windowShown*/) {
    switch (schedule_.follow(model_)) {
    case TimerSchedule::Step::Start:
        timer_.start(model_.intervalMs);
        break;
    case TimerSchedule::Step::Stop:
        timer_.stop();
        break;
    case TimerSchedule::Step::Keep:
        break;
    }
}

void TimerBinding::stop() {
    if (schedule_.stopped()) {
        timer_.stop();
    }
}

} // namespace dorvex::qt

#include "platform/win32/gui/TimerBinding.h"

namespace dorvex::win32 {

void TimerBinding::update(bool /*windowShown*/, const DpiScale& /*scale*/) {
    switch (schedule_.follow(model_)) {
    case TimerSchedule::Step::Start:
        // Setting a running timer again starts its interval anew; one the system refused is
        // tried again at the next update.
        if (SetTimer(window_, id_, static_cast<UINT>(model_.intervalMs), nullptr) == 0) {
            schedule_.stopped();
        }
        break;
    case TimerSchedule::Step::Stop:
        KillTimer(window_, id_);
        break;
    case TimerSchedule::Step::Keep:
        break;
    }
}

void TimerBinding::stop() {
    if (schedule_.stopped()) {
        KillTimer(window_, id_);
    }
}

} // namespace dorvex::win32

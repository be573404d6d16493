#include "platform/win32/gui/TimerBinding.h"

namespace dorvex::win32 {

void TimerBinding::update(bool /*windowShown*/, const DpiScale& /*scale*/) {
    if (!model_.enabled || model_.intervalMs <= 0) {
        stop();
        return;
    }
    if (running_ && starts_ == model_.starts && intervalMs_ == model_.intervalMs) {
        return;
    }
    starts_ = model_.starts;
    intervalMs_ = model_.intervalMs;
    // Setting a running timer again starts its interval anew.
    running_ = SetTimer(window_, id_, static_cast<UINT>(intervalMs_), nullptr) != 0;
}

void TimerBinding::stop() {
    if (running_) {
        KillTimer(window_, id_);
        running_ = false;
    }
}

} // namespace dorvex::win32

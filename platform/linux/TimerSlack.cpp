#include "platform/linux/TimerSlack.h"

#include <sys/prctl.h>

namespace dorvex {

void allowTimerSlack(std::chrono::nanoseconds slack) {
    ::prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(slack.count()), 0UL, 0UL, 0UL);
}

UsualTimerSlack::UsualTimerSlack() : kept_(::prctl(PR_GET_TIMERSLACK, 0UL, 0UL, 0UL, 0UL)) {
    // 0 is the slack the thread was started with.
    ::prctl(PR_SET_TIMERSLACK, 0UL, 0UL, 0UL, 0UL);
}

UsualTimerSlack::~UsualTimerSlack() {
    if (kept_ > 0) {
        ::prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(kept_), 0UL, 0UL, 0UL);
    }
}

} // namespace dorvex

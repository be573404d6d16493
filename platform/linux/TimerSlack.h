#pragma once

#include <chrono>

namespace dorvex {

// How late the kernel may wake the calling thread from a timed wait, for it and the threads it
// starts from then on. A background program that lets its once-a-second wake-up come a little
// late wakes along with the machine's other work, on caches that work has warmed, instead of
// waking a sleeping processor on its own.
void allowTimerSlack(std::chrono::nanoseconds slack);

// For as long as it lives, the calling thread has the timer slack it started with, so that a
// program it starts (a browser) gets the usual precise timers and not a background program's.
class UsualTimerSlack {
public:
    UsualTimerSlack();
    ~UsualTimerSlack();
    UsualTimerSlack(const UsualTimerSlack&) = delete;
    UsualTimerSlack& operator=(const UsualTimerSlack&) = delete;

private:
    int kept_; // the slack to go back to, in nanoseconds; -1 when it could not be read
};

} // namespace dorvex

#pragma once

#include "platform/linux/ReadableWatches.h"

#include <chrono>
#include <pulse/mainloop.h>
#include <vector>

struct pollfd;

namespace dorvex {

// libpulse's own main loop, run inside the program's event loop instead of a thread of its own:
// its descriptors are watched for reading, and it runs without waiting when one has something to
// read. Its timers and a write the socket did not take at once wait for the next tick that asks.
class PulseMainLoop {
public:
    using Clock = std::chrono::steady_clock;
    // A burst of messages is handled in slices of this long, so that a tick waits for no more.
    static constexpr std::chrono::milliseconds sliceTime{2};

    explicit PulseMainLoop(ReadableWatches& watches);
    ~PulseMainLoop();
    PulseMainLoop(const PulseMainLoop&) = delete;
    PulseMainLoop& operator=(const PulseMainLoop&) = delete;

    pa_mainloop_api* api() { return pa_mainloop_get_api(loop_); }
    // Handles what has arrived and what is due, for at most a slice; never waits.
    void run();
    // Whether a tick has something for run(): a timer due or a write waiting.
    bool due(Clock::time_point now) const { return writeWaiting_ || now >= timerAt_; }

private:
    // libpulse's poll: notes what it waits for, and looks without waiting.
    static int pollNow(pollfd* fds, unsigned long count, int timeout, void* self);
    // Watches what libpulse waited for at its last poll, and no other descriptor.
    void watchPolled();

    ReadableWatches& watches_;
    pa_mainloop* loop_;
    std::vector<int> watched_, polled_;
    bool writeWaiting_ = false;
    Clock::time_point timerAt_ = Clock::time_point::max();
};

} // namespace dorvex

#include "platform/linux/PulseMainLoop.h"

#include <algorithm>
#include <poll.h>

namespace dorvex {

PulseMainLoop::PulseMainLoop(ReadableWatches& watches)
    : watches_(watches), loop_(pa_mainloop_new()) {
    pa_mainloop_set_poll_func(loop_, &pollNow, this);
}

PulseMainLoop::~PulseMainLoop() {
    for (const int fd : watched_) {
        watches_.unwatch(fd);
    }
    pa_mainloop_free(loop_);
}

void PulseMainLoop::run() {
    const auto end = Clock::now() + sliceTime;
    // Each pass reads at most a message's header or body: a burst takes many. The last pass
    // dispatched nothing, so its poll saw the descriptors as they are now.
    while (pa_mainloop_iterate(loop_, 1, nullptr) > 0 && Clock::now() < end) {
    }
    watchPolled();
}

int PulseMainLoop::pollNow(pollfd* fds, unsigned long count, int timeout, void* self) {
    auto& loop = *static_cast<PulseMainLoop*>(self);
    loop.polled_.clear();
    loop.writeWaiting_ = false;
    for (const pollfd& fd : std::ranges::subrange(fds, fds + count)) {
        // A descriptor waited on only for writing is looked at by the ticks: one watched for
        // reading while libpulse does not read it would call back again and again.
        if ((fd.events & POLLIN) != 0) {
            loop.polled_.push_back(fd.fd);
        }
        loop.writeWaiting_ = loop.writeWaiting_ || (fd.events & POLLOUT) != 0;
    }
    loop.timerAt_ =
        timeout < 0 ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeout);
    return ::poll(fds, count, 0);
}

void PulseMainLoop::watchPolled() {
    std::ranges::sort(polled_);
    for (const int fd : watched_) {
        if (!std::ranges::binary_search(polled_, fd)) {
            watches_.unwatch(fd);
        }
    }
    for (const int fd : polled_) {
        if (!std::ranges::binary_search(watched_, fd)) {
            watches_.watch(fd, [this] { run(); });
        }
    }
    watched_ = polled_;
}

} // namespace dorvex

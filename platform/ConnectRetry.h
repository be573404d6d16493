#pragma once

#include <algorithm>
#include <chrono>

namespace dorvex {

// When to try again to reach a service that could not be reached or was lost: after 2 seconds,
// twice as long after each further failure up to 5 minutes, as a machine without the service
// would try for nothing; once reached, the next failure waits 2 seconds again.
class ConnectRetry {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds firstTime{2};
    static constexpr std::chrono::seconds lastTime{300};

    void failed(Clock::time_point now) {
        at_ = now + wait_;
        wait_ = std::min<Clock::duration>(wait_ * 2, lastTime);
    }
    void reached() { wait_ = firstTime; }
    Clock::time_point at() const { return at_; }

private:
    Clock::time_point at_;
    Clock::duration wait_ = firstTime;
};

} // namespace dorvex

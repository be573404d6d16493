#pragma once

#include "platform/linux/ReadableWatches.h"

#include <chrono>
#include <map>
#include <poll.h>
#include <vector>

namespace dorvex::test {

// The event loop's part for tests that run none: waits on the watched descriptors with poll()
// and calls back for those that have something to read.
class PolledWatches : public ReadableWatches {
public:
    void watch(int fd, std::function<void()> readable) override {
        watched_[fd] = std::move(readable);
    }
    void unwatch(int fd) override { watched_.erase(fd); }

    // Calls back as the event loop would for `time`.
    void dispatchFor(std::chrono::milliseconds time) {
        const auto end = std::chrono::steady_clock::now() + time;
        for (auto left = time; left.count() > 0;
             left = std::chrono::duration_cast<std::chrono::milliseconds>(
                 end - std::chrono::steady_clock::now())) {
            std::vector<pollfd> waits;
            for (const auto& [fd, readable] : watched_) {
                waits.push_back({fd, POLLIN, 0});
            }
            if (::poll(waits.data(), waits.size(), static_cast<int>(left.count())) <= 0) {
                continue;
            }
            for (const pollfd& wait : waits) {
                // A callback may unwatch its own descriptor or another.
                const auto found = watched_.find(wait.fd);
                if (wait.revents != 0 && found != watched_.end()) {
                    const std::function<void()> readable = found->second;
                    readable();
                }
            }
        }
    }

private:
    std::map<int, std::function<void()>> watched_;
};

} // namespace dorvex::test

#pragma once

#include <functional>

namespace dorvex {

// The program's event loop telling when a file descriptor has something to read, so that a
// service's messages are read when they come instead of being asked for every tick.
class ReadableWatches {
public:
    virtual ~ReadableWatches() = default;
    // From now until unwatch(fd), calls `readable` whenever fd has something to read: again and
    // again until it has been read. One callback per descriptor.
    virtual void watch(int fd, std::function<void()> readable) = 0;
    // Stops the calls for fd; safe from within its own callback. Before fd is closed.
    virtual void unwatch(int fd) = 0;
};

} // namespace dorvex

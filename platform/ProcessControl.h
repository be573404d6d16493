#pragma once

namespace dorvex {

// The end of the running process, which belongs to its event loop.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    // Ends the process once the current event has been handled; no further events arrive.
    virtual void exit(int status) = 0;
};

} // namespace dorvex

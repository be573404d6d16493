#pragma once

namespace dorvex {

// The running process: its priority and its end.
class ProcessControl {
public:
    virtual ~ProcessControl() = default;
    // Priority requests; a refusal is not an error.
    virtual void raiseThreadPriority() = 0;
    virtual void raiseProcessPriority() = 0;
    // Ends the process once the current event has been handled; no further events arrive.
    virtual void exit(int status) = 0;
};

} // namespace dorvex

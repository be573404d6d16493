#pragma once

namespace dorvex {

// Scheduling priority of the running process and its thread.
class ProcessPriority {
public:
    virtual ~ProcessPriority() = default;
    // Raise as far as the user may; a refusal is not an error.
    virtual void raiseThreadPriority() = 0;
    virtual void raiseProcessPriority() = 0;
};

} // namespace dorvex

#pragma once

namespace dorvex {

// Sets a flag for as long as a scope runs and clears it on the way out, by an exception too. It
// marks a routine that may run the event loop (a message box, the popup menu, the hibernation):
// handlers that run meanwhile see the flag and keep out of the routine's way.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& flag_;
};

} // namespace dorvex

#pragma once

#include <windows.h>

namespace dorvex {

// The system call that tells of programs keeping the machine awake, so that tests can answer in
// its place.
class WakeRequestCalls {
public:
    virtual ~WakeRequestCalls() = default;
    // CallNtPowerInformation(SystemExecutionState): its status, the ES_ flags in `state`.
    virtual LONG systemExecutionState(ULONG& state) = 0;
};

// The real call.
class SystemWakeRequestCalls : public WakeRequestCalls {
public:
    LONG systemExecutionState(ULONG& state) override;
};

} // namespace dorvex

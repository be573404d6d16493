#include "platform/win32/WakeRequestCalls.h"

#include <powrprof.h>

namespace dorvex {

LONG SystemWakeRequestCalls::systemExecutionState(ULONG& state) {
    return ::CallNtPowerInformation(SystemExecutionState, nullptr, 0, &state, sizeof state);
}

} // namespace dorvex

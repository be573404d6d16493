#pragma once

#include "platform/ProcessPriority.h"

namespace dorvex {

// Nice values: as low as the user's limits allow, for the calling thread or for every thread.
class LinuxProcessPriority : public ProcessPriority {
public:
    void raiseThreadPriority() override;
    void raiseProcessPriority() override;
};

} // namespace dorvex

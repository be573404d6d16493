#pragma once

#include "platform/ProcessPriority.h"

namespace dorvex {

// The highest thread priority and the high priority class.
class Win32ProcessPriority : public ProcessPriority {
public:
    void raiseThreadPriority() override;
    void raiseProcessPriority() override;
};

} // namespace dorvex

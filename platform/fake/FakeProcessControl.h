#pragma once

#include "platform/ProcessControl.h"

#include <functional>
#include <optional>

namespace dorvex {

class FakeProcessControl : public ProcessControl {
public:
    void raiseThreadPriority() override { ++threadPriorityRaises; }
    void raiseProcessPriority() override { ++processPriorityRaises; }
    void exit(int status) override;

    int threadPriorityRaises = 0;
    int processPriorityRaises = 0;
    std::optional<int> exitStatus; // set when the process has ended
    std::function<void()> onExit;  // what the system does at the end, such as closing handles
};

} // namespace dorvex

#pragma once

#include "platform/ProcessControl.h"
#include "platform/ProcessPriority.h"

#include <functional>
#include <optional>

namespace dorvex {

class FakeProcessControl : public ProcessControl {
public:
    void exit(int status) override;

    std::optional<int> exitStatus; // set when the process has ended
    std::function<void()> onExit;  // what the system does at the end, such as closing handles
};

class FakeProcessPriority : public ProcessPriority {
public:
    void raiseThreadPriority() override { ++threadRaises; }
    void raiseProcessPriority() override { ++processRaises; }

    int threadRaises = 0;
    int processRaises = 0;
};

} // namespace dorvex

#pragma once

#include "platform/ProcessControl.h"
#include "platform/qt/QtWindowSystem.h"

namespace dorvex {

// The end of the process: the application's event loops end with the status, and from then on
// no timer or user event reaches the program.
class QtProcessControl final : public ProcessControl {
public:
    explicit QtProcessControl(QtWindowSystem& windows) : windows_(windows) {}
    void exit(int status) override;

private:
    QtWindowSystem& windows_;
};

} // namespace dorvex

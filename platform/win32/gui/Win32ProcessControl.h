#pragma once

#include "platform/ProcessControl.h"
#include "platform/win32/gui/Win32WindowSystem.h"

namespace dorvex {

// The end of the process: the message loops end with the status, and from then on no timer or
// user event reaches the program.
class Win32ProcessControl final : public ProcessControl {
public:
    explicit Win32ProcessControl(Win32WindowSystem& windows) : windows_(windows) {}
    void exit(int status) override {
        windows_.stopEvents();
        PostQuitMessage(status);
    }

private:
    Win32WindowSystem& windows_;
};

} // namespace dorvex

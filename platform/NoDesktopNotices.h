#pragma once

#include "platform/DesktopNotices.h"

namespace dorvex {

// For a system whose notices the program does not use yet (Windows): the window on top alone
// shows the countdown there.
class NoDesktopNotices : public DesktopNotices {
public:
    void show(const std::string& /*summary*/, const std::string& /*body*/) override {}
    void withdraw() override {}
};

} // namespace dorvex

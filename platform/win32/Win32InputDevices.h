#pragma once

#include "platform/InputDevices.h"

#include <cstdint>

namespace dorvex {

// Keyboard and mouse of the user's desktop: GetCursorPos, GetAsyncKeyState for codes 0-255, and
// GetLastInputInfo for input that the key set and the position do not show.
class Win32InputDevices : public InputDevices {
public:
    Win32InputDevices();

    InputPoll poll() override;
    std::string notWatchedReason() override { return {}; }
    std::string sourceName() const override { return "Windows"; }

private:
    std::uint32_t lastInputTime_; // of the system's last input, at the previous poll
};

} // namespace dorvex

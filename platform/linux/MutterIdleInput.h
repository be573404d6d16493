#pragma once

#include "platform/linux/InputSincePoll.h"

#include <cstdint>
#include <optional>

struct sd_bus;

namespace dorvex {

// Keyboard and mouse through GNOME's idle monitor on the session bus (GNOME offers no Wayland
// idle protocol; the monitor answers on its X11 and Wayland sessions alike). There was input in a
// poll when the idle time went down since the previous poll or is below a poll's second.
class MutterIdleInput : public InputSincePoll {
public:
    // Connects and asks once; answers() tells whether the monitor did.
    explicit MutterIdleInput(std::ostream& diagnostics = std::cerr);
    ~MutterIdleInput() override;
    MutterIdleInput(const MutterIdleInput&) = delete;
    MutterIdleInput& operator=(const MutterIdleInput&) = delete;

    bool answers() const { return previous_.has_value(); }

protected:
    bool inputSinceLastPoll() override;

private:
    // Milliseconds since the last input; nothing when the call failed.
    std::optional<std::uint64_t> idleTime();

    sd_bus* bus_ = nullptr;
    std::optional<std::uint64_t> previous_;
};

} // namespace dorvex

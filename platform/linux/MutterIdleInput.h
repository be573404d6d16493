#pragma once

#include "platform/linux/InputSincePoll.h"

#include <cstdint>
#include <optional>
#include <systemd/sd-bus.h>

namespace dorvex {

// Keyboard and mouse through GNOME's idle monitor on the session bus (GNOME offers no Wayland
// idle protocol; the monitor answers on its X11 and Wayland sessions alike). There was input when
// the idle time went down since the previous answer or is below a poll's second. So that the tick
// never waits for the monitor, each poll reads the answer to the previous poll's question and asks
// anew: the answers are a second late.
class MutterIdleInput : public InputSincePoll {
public:
    // Connects and asks once, waiting briefly; answers() tells whether the monitor did.
    explicit MutterIdleInput(std::ostream& diagnostics = std::cerr);
    ~MutterIdleInput() override;
    MutterIdleInput(const MutterIdleInput&) = delete;
    MutterIdleInput& operator=(const MutterIdleInput&) = delete;

    bool answers() const { return previous_.has_value(); }

protected:
    bool inputSinceLastPoll() override;

private:
    void judge(std::uint64_t idleMs);
    static int onAnswer(sd_bus_message* answer, void* self, sd_bus_error* error);

    sd_bus* bus_ = nullptr;
    sd_bus_slot* question_ = nullptr; // the question not answered yet
    std::optional<std::uint64_t> previous_;
    bool answered_ = false; // since the previous poll
    bool input_ = false;    // in those answers
};

} // namespace dorvex

#pragma once

#include "platform/linux/InputSincePoll.h"

#include <chrono>
#include <cstdint>
#include <systemd/sd-bus.h>

namespace dorvex {

// Keyboard and mouse through GNOME's idle monitor on the session bus (GNOME offers no Wayland
// idle protocol; the monitor answers on its X11 and Wayland sessions alike). Each poll asks for
// the idle time and waits briefly for the answer, a round trip of a fifth of a millisecond on a
// local bus: there was input when the idle time is shorter than the time since the previous
// poll's question, so input counts in the second it came, and input before priming not at all.
class MutterIdleInput : public InputSincePoll {
public:
    // Connects and asks once, waiting briefly; answers() tells whether the monitor did.
    explicit MutterIdleInput(std::ostream& diagnostics = std::cerr);
    ~MutterIdleInput() override;
    MutterIdleInput(const MutterIdleInput&) = delete;
    MutterIdleInput& operator=(const MutterIdleInput&) = delete;

    bool answers() const { return answers_; }
    std::string sourceName() const override { return "GNOME Mutter idle monitor"; }

protected:
    bool inputSinceLastPoll() override;

private:
    using Clock = std::chrono::steady_clock;
    // Milliseconds since the last input, asked now and waited for at most `within`; -1 when no
    // answer came in time.
    std::int64_t idleTime(std::chrono::microseconds within);

    sd_bus* bus_ = nullptr;
    bool answers_ = false;
    Clock::time_point askedAt_; // the previous question
};

} // namespace dorvex

#pragma once

#include "platform/ConnectRetry.h"
#include "platform/linux/WaylandIdleInput.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace dorvex {

// Keyboard and mouse of a Wayland session, through the source chosen with its compositor's
// answer, whenever the compositor is there. While it has not answered the program's first
// question yet (it starts with the session, or is busy), cannot be reached, or has gone (a
// restart), they count as in use. A compositor that cannot be reached is tried again after 2 s,
// then twice as long each time up to 5 minutes; one that has not answered is looked at again.
// Both at a poll, without waiting: no thread, no timer of its own.
class AwaitedCompositor : public InputDevices {
public:
    using Choice = std::function<std::unique_ptr<InputDevices>(std::unique_ptr<WaylandIdleInput>)>;

    // `compositor` is the first try, on `socket`; `described` names it in messages.
    AwaitedCompositor(std::unique_ptr<WaylandIdleInput> compositor, std::string socket,
                      std::string described, Choice choose, std::ostream& diagnostics);

    InputPoll poll() override;
    std::string notWatchedReason() override;
    // The source chosen; the compositor itself until it has answered.
    std::string sourceName() const override;

private:
    using Clock = std::chrono::steady_clock;
    void follow();

    std::string socket_;
    std::string described_;
    Choice choose_;
    std::ostream& diagnostics_;
    std::unique_ptr<WaylandIdleInput> compositor_; // connected, until it answers
    std::unique_ptr<InputDevices> chosen_;
    WaylandIdleInput* watched_ = nullptr; // chosen_, when the compositor's notices were chosen
    ConnectRetry retry_; // a compositor missing or lost: 2 s, doubling up to 5 minutes
    std::string reason_; // why nothing is watched, once told
};

} // namespace dorvex

#pragma once

#include "platform/InputDevices.h"

#include <iostream>
#include <string>

namespace dorvex {

// Says once on `diagnostics` why keyboard and mouse cannot be watched, and keeps the reason.
void tellNotWatched(std::string& kept, const std::string& reason, std::ostream& diagnostics);

// Keyboard and mouse from a source that only knows whether there was input since the previous
// poll, not whether it came from keys or pointer: no position, no keys, and that input as
// keyboard-or-mouse. A source that stops answering reports nothing more and says why once.
class InputSincePoll : public InputDevices {
public:
    explicit InputSincePoll(std::ostream& diagnostics) : diagnostics_(diagnostics) {}

    InputPoll poll() override;
    std::string notWatchedReason() override { return reason_; }

protected:
    // Asked once a poll while the source answers.
    virtual bool inputSinceLastPoll() = 0;
    void cannotWatch(const std::string& reason) { tellNotWatched(reason_, reason, diagnostics_); }

private:
    std::ostream& diagnostics_;
    std::string reason_;
};

} // namespace dorvex

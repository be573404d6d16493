#include "platform/linux/AwaitedCompositor.h"

namespace dorvex {

AwaitedCompositor::AwaitedCompositor(std::unique_ptr<WaylandIdleInput> compositor, Choice choose)
    : compositor_(std::move(compositor)), choose_(std::move(choose)) {}

// The first question of every poll.
bool AwaitedCompositor::cursorPosition(CursorPosition& position) {
    if (!chosen_) {
        compositor_->readLateAnswer();
        if (compositor_->awaitingAnswer()) {
            return false;
        }
        chosen_ = choose_(std::move(compositor_));
    }
    return chosen_->cursorPosition(position);
}

KeyCodes AwaitedCompositor::keysReported() {
    return chosen_ ? chosen_->keysReported() : KeyCodes{};
}

RawInput AwaitedCompositor::rawInputReported() {
    return chosen_ ? chosen_->rawInputReported() : RawInput{};
}

std::string AwaitedCompositor::notWatchedReason() {
    return chosen_ ? chosen_->notWatchedReason() : "the Wayland compositor has not answered yet";
}

} // namespace dorvex

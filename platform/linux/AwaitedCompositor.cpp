#include "platform/linux/AwaitedCompositor.h"

namespace dorvex {

AwaitedCompositor::AwaitedCompositor(std::unique_ptr<WaylandIdleInput> compositor,
                                     std::string socket, std::string described, Choice choose,
                                     std::ostream& diagnostics)
    : socket_(std::move(socket)), described_(std::move(described)), choose_(std::move(choose)),
      diagnostics_(diagnostics), compositor_(std::move(compositor)) {
    follow();
}

InputPoll AwaitedCompositor::poll() {
    follow();
    return chosen_ ? chosen_->poll() : InputPoll{};
}

std::string AwaitedCompositor::notWatchedReason() {
    if (chosen_) {
        return chosen_->notWatchedReason();
    }
    return compositor_ ? "the Wayland compositor has not answered yet" : reason_;
}

std::string AwaitedCompositor::sourceName() const {
    return chosen_ ? chosen_->sourceName() : "Wayland compositor";
}

void AwaitedCompositor::follow() {
    const auto now = Clock::now();
    if (watched_ != nullptr && !watched_->answered()) {
        // It has said why already.
        reason_ = watched_->notWatchedReason();
        watched_ = nullptr;
        chosen_.reset();
        retry_.reached();
        retry_.failed(now);
    }
    if (chosen_) {
        return;
    }
    if (!compositor_ && now >= retry_.at()) {
        compositor_ =
            std::make_unique<WaylandIdleInput>(socket_, std::chrono::milliseconds(0), diagnostics_);
    }
    if (!compositor_) {
        return;
    }
    compositor_->readLateAnswer();
    if (compositor_->awaitingAnswer()) {
        return;
    }
    if (!compositor_->answered()) {
        compositor_.reset();
        tellNotWatched(reason_, described_ + " cannot be reached", diagnostics_);
        retry_.failed(now);
        return;
    }
    WaylandIdleInput* const answered = compositor_.get();
    chosen_ = choose_(std::move(compositor_));
    watched_ = chosen_.get() == answered ? answered : nullptr;
    reason_.clear();
    retry_.reached();
}

} // namespace dorvex

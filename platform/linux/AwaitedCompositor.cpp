#include "platform/linux/AwaitedCompositor.h"

#include <algorithm>

namespace dorvex {

namespace {

constexpr std::chrono::seconds firstRetry{2};
constexpr std::chrono::minutes longestRetry{5};

} // namespace

AwaitedCompositor::AwaitedCompositor(std::unique_ptr<WaylandIdleInput> compositor,
                                     std::string socket, std::string described, Choice choose,
                                     std::ostream& diagnostics)
    : socket_(std::move(socket)), described_(std::move(described)), choose_(std::move(choose)),
      diagnostics_(diagnostics), compositor_(std::move(compositor)) {
    follow();
}

// The first question of every poll.
bool AwaitedCompositor::cursorPosition(CursorPosition& position) {
    follow();
    return chosen_ && chosen_->cursorPosition(position);
}

KeyCodes AwaitedCompositor::keysReported() {
    return chosen_ ? chosen_->keysReported() : KeyCodes{};
}

RawInput AwaitedCompositor::rawInputReported() {
    return chosen_ ? chosen_->rawInputReported() : RawInput{};
}

std::string AwaitedCompositor::notWatchedReason() {
    if (chosen_) {
        return chosen_->notWatchedReason();
    }
    return compositor_ ? "the Wayland compositor has not answered yet" : reason_;
}

void AwaitedCompositor::follow() {
    const auto now = Clock::now();
    if (watched_ != nullptr && !watched_->answered()) {
        // It has said why already.
        reason_ = watched_->notWatchedReason();
        watched_ = nullptr;
        chosen_.reset();
        retryAfter_ = {};
        retryLater(now);
    }
    if (chosen_) {
        return;
    }
    if (!compositor_ && now >= retryAt_) {
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
        retryLater(now);
        return;
    }
    WaylandIdleInput* const answered = compositor_.get();
    chosen_ = choose_(std::move(compositor_));
    watched_ = chosen_.get() == answered ? answered : nullptr;
    reason_.clear();
    retryAfter_ = {};
}

void AwaitedCompositor::retryLater(Clock::time_point now) {
    retryAfter_ = retryAfter_ == Clock::duration{}
                      ? Clock::duration(firstRetry)
                      : std::min<Clock::duration>(2 * retryAfter_, longestRetry);
    retryAt_ = now + retryAfter_;
}

} // namespace dorvex

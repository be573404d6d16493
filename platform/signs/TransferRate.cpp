#include "platform/signs/TransferRate.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace dorvex {

namespace {

// "2.1 MB/s received", "80 kB/s sent".
std::string rateText(std::uint64_t bytesPerSecond, const char* direction) {
    char text[48];
    if (bytesPerSecond >= 1'000'000) {
        std::snprintf(text, sizeof text, "%.1f MB/s %s", static_cast<double>(bytesPerSecond) / 1e6,
                      direction);
    } else {
        std::snprintf(text, sizeof text, "%llu kB/s %s",
                      static_cast<unsigned long long>(bytesPerSecond / 1000), direction);
    }
    return text;
}

} // namespace

void TransferRate::count(std::string_view name, std::uint64_t received, std::uint64_t sent) {
    if (read_ == current_.size()) {
        current_.emplace_back();
    }
    Interface& now = current_[read_++];
    now.name.assign(name);
    now.counted = {received, sent};
}

TransferRate::Bytes TransferRate::sinceLastRead() const {
    Bytes added;
    for (std::size_t at = 0; at < read_; ++at) {
        const Interface& now = current_[at];
        const auto before = std::ranges::find(last_, now.name, &Interface::name);
        if (before != last_.end() && now.counted.received >= before->counted.received &&
            now.counted.sent >= before->counted.sent) {
            added.received += now.counted.received - before->counted.received;
            added.sent += now.counted.sent - before->counted.sent;
        }
    }
    return added;
}

void TransferRate::endRead(Clock::time_point now, std::vector<std::string>& signs) {
    Bytes total = count_ > 0 ? samples_[newest_].total : Bytes{};
    const Bytes added = sinceLastRead();
    total.received += added.received;
    total.sent += added.sent;
    std::swap(last_, current_);
    last_.resize(read_);
    if (count_ > 0) {
        newest_ = (newest_ + 1) % samples_.size();
    }
    count_ = std::min(count_ + 1, samples_.size());
    samples_[newest_] = {now, total};
    // The oldest sample still within the window: the average covers the time since.
    std::size_t oldest = newest_;
    for (std::size_t back = 1; back < count_; ++back) {
        const std::size_t at = (newest_ + samples_.size() - back) % samples_.size();
        if (now - samples_[at].at > window_) {
            break;
        }
        oldest = at;
    }
    const auto covered = std::chrono::duration<double>(now - samples_[oldest].at).count();
    if (oldest == newest_ || covered <= 0) {
        return;
    }
    const Sample& first = samples_[oldest];
    const Sample& last = samples_[newest_];
    const auto rate = [covered](std::uint64_t bytes) {
        return static_cast<std::uint64_t>(static_cast<double>(bytes) / covered);
    };
    const std::uint64_t in = rate(last.total.received - first.total.received);
    const std::uint64_t out = rate(last.total.sent - first.total.sent);
    if (in >= busyRate) {
        signs.push_back(rateText(in, "received"));
    }
    if (out >= busyRate) {
        signs.push_back(rateText(out, "sent"));
    }
}

} // namespace dorvex

#include "platform/linux/NetworkTransfers.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ranges>
#include <string_view>
#include <utility>

namespace dorvex {

namespace {

// The bytes of one interface's line: "  eth0: <received> 7 fields <sent> 7 fields".
struct Line {
    std::string_view name;
    std::uint64_t received = 0;
    std::uint64_t sent = 0;
};

bool parseLine(std::string_view text, Line& line) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    line.name = text.substr(0, colon);
    line.name.remove_prefix(std::min(line.name.find_first_not_of(' '), line.name.size()));
    const char* next = text.data() + colon + 1;
    const char* end = text.data() + text.size();
    for (int field = 0; field < 9; ++field) {
        while (next != end && *next == ' ') {
            ++next;
        }
        std::uint64_t value = 0;
        const auto [stop, error] = std::from_chars(next, end, value);
        if (error != std::errc{}) {
            return false;
        }
        next = stop;
        if (field == 0) {
            line.received = value;
        } else if (field == 8) {
            line.sent = value;
        }
    }
    return true;
}

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

NetworkTransfers::NetworkTransfers(std::ostream& diagnostics, Clock::duration window,
                                   std::string devFile)
    : diagnostics_(diagnostics), window_(window), devFile_(std::move(devFile)) {}

bool NetworkTransfers::read(Bytes& total) {
    std::string_view text = devFile_.read(buffer_);
    current_.clear();
    int lineNumber = 0;
    for (; !text.empty(); ++lineNumber) {
        const std::size_t end = text.find('\n');
        const std::string_view current = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        // Two lines of headings; a last line cut off by a full buffer is left out.
        Line line;
        if (lineNumber < 2 || end == std::string_view::npos) {
            continue;
        }
        if (!parseLine(current, line)) {
            devFile_.close();
            return false;
        }
        if (line.name != "lo") {
            current_.push_back({std::string(line.name), {line.received, line.sent}});
        }
    }
    // Every system has a loopback at least.
    if (lineNumber <= 2) {
        devFile_.close();
        return false;
    }
    for (const Interface& now : current_) {
        const auto before = std::ranges::find(last_, now.name, &Interface::name);
        if (before != last_.end() && now.counted.received >= before->counted.received &&
            now.counted.sent >= before->counted.sent) {
            total.received += now.counted.received - before->counted.received;
            total.sent += now.counted.sent - before->counted.sent;
        }
    }
    std::swap(last_, current_);
    return true;
}

void NetworkTransfers::addSignsAt(Clock::time_point now, std::vector<std::string>& signs) {
    Bytes total = count_ > 0 ? samples_[newest_].total : Bytes{};
    if (!read(total)) {
        if (!std::exchange(told_, true)) {
            diagnostics_ << "Dorvex Zede cannot read the network's traffic; a transfer does not "
                            "count as the processor busy\n";
        }
        return;
    }
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

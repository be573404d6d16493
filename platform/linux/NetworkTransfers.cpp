#include "platform/linux/NetworkTransfers.h"

#include <algorithm>
#include <charconv>
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

} // namespace

NetworkTransfers::NetworkTransfers(std::ostream& diagnostics, Clock::duration window,
                                   std::string devFile)
    : diagnostics_(diagnostics), rate_(window), devFile_(std::move(devFile)) {}

bool NetworkTransfers::read() {
    std::string_view text = devFile_.read(buffer_);
    rate_.beginRead();
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
            rate_.count(line.name, line.received, line.sent);
        }
    }
    // Every system has a loopback at least.
    if (lineNumber <= 2) {
        devFile_.close();
        return false;
    }
    return true;
}

void NetworkTransfers::addSignsAt(Clock::time_point now, std::vector<std::string>& signs) {
    if (read()) {
        rate_.endRead(now, signs);
    } else if (!std::exchange(told_, true)) {
        diagnostics_ << TransferRate::unreadableNotice;
    }
}

} // namespace dorvex

#include "platform/qt/HttpReplyReader.h"

#include "platform/AsciiCase.h"
#include "platform/UrlReader.h"

#include <algorithm>
#include <limits>

namespace dorvex {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char letter = asciiLower(c);
    return letter >= 'a' && letter <= 'f' ? letter - 'a' + 10 : -1;
}

// The number the digits spell, held at one past the largest body once it is larger; nothing when
// a character is no digit or there is none.
std::optional<std::size_t> sizeValue(std::string_view digits, int base) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::size_t value = 0;
    for (const char c : digits) {
        const int digit = digitValue(c);
        if (digit < 0 || digit >= base) {
            return std::nullopt;
        }
        value = std::min(value * base + digit, MaxUrlReadBytes + 1);
    }
    return value;
}

} // namespace

void HttpReplyReader::take(std::string_view bytes) {
    if (state_ == State::Done || state_ == State::Failed) {
        return;
    }
    pending_.append(bytes);
    while (step()) {
    }
    pending_.erase(0, used_);
    scanned_ -= std::min(scanned_, used_);
    used_ = 0;
}

void HttpReplyReader::closed() {
    if (state_ == State::Body && framing_ == Framing::Close) {
        state_ = State::Done;
    } else if (state_ != State::Done) {
        fail(Fault::Cut);
    }
}

void HttpReplyReader::fail(Fault fault) {
    if (state_ != State::Failed) {
        state_ = State::Failed;
        fault_ = fault;
    }
}

bool HttpReplyReader::step() {
    switch (state_) {
    case State::Head:
        return headStep();
    case State::Body:
        return bodyStep();
    default:
        return false;
    }
}

std::optional<std::string_view> HttpReplyReader::nextLine(std::size_t& lineBytes) {
    const std::size_t end = pending_.find('\n', std::max(used_, scanned_));
    if (end == std::string::npos) {
        // A line that trickles in byte by byte is searched once, not once per byte.
        scanned_ = pending_.size();
        return std::nullopt;
    }
    std::string_view line(pending_.data() + used_, end - used_);
    lineBytes += end + 1 - used_;
    used_ = end + 1;
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

bool HttpReplyReader::headStep() {
    const auto line = nextLine(headBytes_);
    if (headBytes_ + (line ? 0 : unused()) > MaxUrlHeaderBytes) {
        fail(Fault::HeadTooLarge);
        return false;
    }
    if (!line) {
        return false;
    }
    if (!statusSeen_) {
        // An empty line before the status line is a leftover of an earlier message.
        if (!line->empty()) {
            statusLine(*line);
        }
    } else if (line->empty()) {
        headEnded();
    } else {
        headerLine(*line);
    }
    return true;
}

// "HTTP/1.1 200 OK"; the reason phrase may be missing.
void HttpReplyReader::statusLine(std::string_view line) {
    const std::size_t space = line.find(' ');
    const std::string_view code =
        space == std::string_view::npos ? std::string_view{} : line.substr(space + 1, 3);
    const auto value = sizeValue(code, 10);
    const std::string_view rest = code.size() == 3 ? line.substr(space + 4) : std::string_view{};
    if (!line.starts_with("HTTP/") || code.size() != 3 || !value || *value < 100 ||
        (!rest.empty() && rest.front() != ' ')) {
        fail(Fault::Malformed);
        return;
    }
    statusSeen_ = true;
    status_ = static_cast<int>(*value);
    reason_ = trimmed(rest);
}

void HttpReplyReader::headerLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    // A folded continuation or a line without a name says nothing that is used here.
    if (colon == std::string_view::npos || line.front() == ' ' || line.front() == '\t') {
        return;
    }
    const std::string_view name = line.substr(0, colon);
    const std::string_view value = trimmed(line.substr(colon + 1));
    if (equalsIgnoringCase(name, "Content-Length")) {
        const auto length = sizeValue(value, 10);
        // Two different lengths leave the end of the body open to guessing.
        if (!length || (contentLength_ && *contentLength_ != *length)) {
            fail(Fault::Malformed);
            return;
        }
        contentLength_ = length;
    } else if (equalsIgnoringCase(name, "Transfer-Encoding")) {
        const std::size_t comma = value.rfind(',');
        encoded_ = true;
        chunked_ = equalsIgnoringCase(
            trimmed(comma == std::string_view::npos ? value : value.substr(comma + 1)), "chunked");
    } else if (equalsIgnoringCase(name, "Location")) {
        location_ = value;
    }
}

void HttpReplyReader::headEnded() {
    // "100 Continue" and its kind: the real head follows.
    if (status_ < 200) {
        statusSeen_ = false;
        contentLength_.reset();
        encoded_ = chunked_ = false;
        location_.clear();
        return;
    }
    headComplete_ = true;
    state_ = State::Body;
    remaining_ = std::numeric_limits<std::size_t>::max();
    if (status_ == 204 || status_ == 304) {
        state_ = State::Done;
    } else if (encoded_) {
        framing_ = chunked_ ? Framing::Chunks : Framing::Close;
    } else if (contentLength_) {
        framing_ = Framing::Length;
        remaining_ = *contentLength_;
        if (remaining_ > MaxUrlReadBytes) {
            fail(Fault::BodyTooLarge);
        } else if (remaining_ == 0) {
            state_ = State::Done;
        }
    }
}

void HttpReplyReader::takeBodyBytes() {
    const std::size_t count = std::min(remaining_, unused());
    body_.append(pending_, used_, count);
    used_ += count;
    remaining_ -= count;
    if (body_.size() > MaxUrlReadBytes) {
        fail(Fault::BodyTooLarge);
    }
}

bool HttpReplyReader::bodyStep() {
    if (framing_ == Framing::Chunks) {
        return chunkStep();
    }
    takeBodyBytes();
    if (remaining_ == 0 && state_ == State::Body) {
        state_ = State::Done;
    }
    return false;
}

bool HttpReplyReader::chunkStep() {
    if (chunkStep_ == ChunkStep::Data) {
        takeBodyBytes();
        if (remaining_ != 0) {
            return false;
        }
        chunkStep_ = ChunkStep::End;
        return state_ == State::Body;
    }
    std::size_t lineBytes = 0;
    const auto line = nextLine(lineBytes);
    if (chunkStep_ == ChunkStep::Trailer) {
        trailerBytes_ += lineBytes;
        if (trailerBytes_ + (line ? 0 : unused()) > MaxUrlHeaderBytes) {
            fail(Fault::HeadTooLarge);
            return false;
        }
    } else if (!line && unused() > MaxUrlHeaderBytes) {
        fail(Fault::Malformed);
        return false;
    }
    if (!line) {
        return false;
    }
    if (chunkStep_ == ChunkStep::Trailer) {
        if (line->empty()) {
            state_ = State::Done;
        }
    } else if (chunkStep_ == ChunkStep::End) {
        if (!line->empty()) {
            fail(Fault::Malformed);
        }
        chunkStep_ = ChunkStep::Size;
    } else {
        // The size in hexadecimal, then perhaps extensions after a semicolon.
        const auto size = sizeValue(trimmed(line->substr(0, line->find(';'))), 16);
        if (!size) {
            fail(Fault::Malformed);
        } else if (*size == 0) {
            chunkStep_ = ChunkStep::Trailer;
        } else if (body_.size() + *size > MaxUrlReadBytes) {
            fail(Fault::BodyTooLarge);
        } else {
            remaining_ = *size;
            chunkStep_ = ChunkStep::Data;
        }
    }
    return state_ == State::Body;
}

} // namespace dorvex

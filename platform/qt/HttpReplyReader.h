#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace dorvex {

// The reply to one GET, taken in as its bytes arrive: the head, then the body by its length, in
// chunks or up to the close. Head and body stay within their bounds of UrlReader.h: a server that
// sends more fails the reply instead of filling the memory.
class HttpReplyReader {
public:
    enum class State { Head, Body, Done, Failed };
    enum class Fault { None, HeadTooLarge, BodyTooLarge, Malformed, Cut };

    // The next bytes from the server.
    void take(std::string_view bytes);
    // The server closed the connection: a body that runs to the close ends here.
    void closed();

    State state() const { return state_; }
    Fault fault() const { return fault_; }
    // The final head is in (interim 1xx heads are passed over), also when the body failed after.
    bool headComplete() const { return headComplete_; }
    // Of the final head.
    int status() const { return status_; }
    const std::string& reason() const { return reason_; }
    const std::string& location() const { return location_; }
    const std::string& body() const { return body_; }

private:
    enum class Framing { Length, Chunks, Close };
    enum class ChunkStep { Size, Data, End, Trailer };

    // Takes one step with the bytes pending; false when it needs more.
    bool step();
    bool headStep();
    bool bodyStep();
    bool chunkStep();
    // The next whole line without its end, counted into `lineBytes`; nothing while incomplete.
    std::optional<std::string_view> nextLine(std::size_t& lineBytes);
    void statusLine(std::string_view line);
    void headerLine(std::string_view line);
    void headEnded();
    // Moves up to `remaining_` pending bytes into the body.
    void takeBodyBytes();
    void fail(Fault fault);
    std::size_t unused() const { return pending_.size() - used_; }

    State state_ = State::Head;
    Fault fault_ = Fault::None;
    std::string pending_;
    std::size_t used_ = 0;    // bytes of pending_ already taken
    std::size_t scanned_ = 0; // bytes of pending_ known to hold no line end
    std::size_t headBytes_ = 0;
    bool statusSeen_ = false;
    bool headComplete_ = false;
    int status_ = 0;
    std::string reason_;
    std::string location_;
    std::optional<std::size_t> contentLength_;
    bool encoded_ = false; // a Transfer-Encoding came, which overrides the length
    bool chunked_ = false; // its last coding is chunked
    Framing framing_ = Framing::Close;
    ChunkStep chunkStep_ = ChunkStep::Size;
    std::size_t remaining_ = 0;
    std::size_t trailerBytes_ = 0;
    std::string body_;
};

} // namespace dorvex

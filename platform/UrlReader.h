#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace dorvex {

// The program reads small documents only: a longer reply fails instead of filling the memory.
inline constexpr std::size_t MaxUrlReadBytes = 1u << 20;
// A reply's head (status line and header lines) takes a few hundred bytes: a longer one fails.
inline constexpr std::size_t MaxUrlHeaderBytes = 64u << 10;
// A read whose head is not in this long after it started fails: the server is not answering.
inline constexpr int UrlHeaderTimeoutMs = 10'000;
// A read fails after this long, however slowly the server keeps sending.
inline constexpr int UrlReadTimeoutMs = 120'000;

// What a read that went past one of the bounds says, on every system.
inline std::string urlHeadTooLargeText() {
    return "The reply's head is larger than " + std::to_string(MaxUrlHeaderBytes) + " bytes";
}
inline std::string urlReplyTooLargeText() {
    return "The reply is larger than " + std::to_string(MaxUrlReadBytes) + " bytes";
}
inline std::string urlHeadTimeoutText() {
    return "The server sent no reply within " + std::to_string(UrlHeaderTimeoutMs / 1000) + " s";
}
inline std::string urlReadTimeoutText() {
    return "The reply took longer than " + std::to_string(UrlReadTimeoutMs / 1000) + " s";
}

// What becomes of a read, delivered on the program's thread between other events.
class UrlReadEvents {
public:
    virtual ~UrlReadEvents() = default;
    // Part of the data has arrived; `data` holds everything received so far.
    virtual void progress(const std::string& key, const std::string& data) = 0;
    // The read finished; `data` holds all of it.
    virtual void completed(const std::string& key, const std::string& data) = 0;
    // The read failed, with the system's error number and text; also when the server sent more,
    // or took longer, than the bounds above allow.
    virtual void failed(const std::string& key, std::int32_t number, const std::string& text) = 0;
};

// How a read ended: with its data, or with the error's number and text.
struct UrlReadEnd {
    bool completed = false;
    std::int32_t number = 0;
    std::string text;
    std::string data;

    void tell(UrlReadEvents& events, const std::string& key) const {
        if (completed) {
            events.completed(key, data);
        } else {
            events.failed(key, number, text);
        }
    }
};

// Reads a web address into memory in the background, named by a key.
class UrlReader {
public:
    virtual ~UrlReader() = default;
    // Options 16 fetches from the server, never from a cache. Throws std::runtime_error when
    // the read cannot start (a malformed address); no event comes then. A redirect is followed
    // only to the same scheme, host and port; any other fails the read.
    virtual void start(const std::string& key, const std::string& url, int options,
                       UrlReadEvents& events) = 0;
    // Stops the read with that key and closes its connection; no event comes for it afterwards.
    virtual void cancel(const std::string& key) = 0;
};

} // namespace dorvex

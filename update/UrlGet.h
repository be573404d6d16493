#pragma once

#include "platform/UrlReader.h"
#include "update/UrlGetEvents.h"

#include <cstdint>
#include <optional>
#include <string>

namespace dorvex {

class Program;

// Downloads one web address into memory without blocking the user interface, and tells its host
// window how it went. One read at a time: a new start cancels the running one.
class UrlGet : private UrlReadEvents {
public:
    UrlGet(Program& program, UrlGetEvents& host) : program_(program), host_(host) {}
    ~UrlGet() override;
    UrlGet(const UrlGet&) = delete;
    UrlGet& operator=(const UrlGet&) = delete;

    // A reply larger than this fails: the program only ever reads small documents.
    static constexpr std::size_t MaxBytes = MaxUrlReadBytes;
    static constexpr std::int32_t TooLargeError = 7; // the system's "out of memory"

    bool Busy() const { return StartTick_.has_value(); }
    std::string Bytes() const { return Bytes_; }
    // Milliseconds the last completed download took; 0 while one runs.
    std::int32_t Duration() const { return Duration_; }

    // Mode 16 fetches from the server, never from a cache. An empty URL does nothing. A read that
    // cannot start raises nothing; the host's own time-out ends the wait.
    void DownloadStart(const std::string& URL, std::int32_t Mode = 0);
    // Stops the running read; nothing is raised for it afterwards.
    void DownloadCancel();

private:
    void progress(const std::string& key, const std::string& data) override;
    void completed(const std::string& key, const std::string& data) override;
    void failed(const std::string& key, std::int32_t number, const std::string& text) override;

    std::string key() const;
    void cancelRead();
    bool current(const std::string& key) const { return Busy() && key == this->key(); }
    // The read is over: measures it and forgets its start.
    void finish();
    void fail(std::int32_t number, const std::string& text);
    // Holds the data of the running read; false for another read's, and for too much data,
    // which fails the read.
    bool take(const std::string& key, const std::string& data, bool running);

    Program& program_;
    UrlGetEvents& host_;
    // The tick count when the running read started; nothing when none runs (a start at tick 0
    // is still running).
    std::optional<std::uint32_t> StartTick_;
    std::string Bytes_;
    std::int32_t ByteCount_ = 0;
    std::int32_t Duration_ = 0;
};

} // namespace dorvex

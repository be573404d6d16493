#pragma once

#include "platform/UrlReader.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace dorvex {

class WinHttpTransfer;

// Reads web addresses with WinHTTP, each on a worker thread. Every event goes through the
// posting function to the window thread, which runs it between other messages; an event of a
// read cancelled in the meantime is dropped there.
class WinHttpUrlReader : public UrlReader {
public:
    using Post = std::function<void(std::function<void()>)>;

    explicit WinHttpUrlReader(Post postToWindowThread);
    ~WinHttpUrlReader() override;
    WinHttpUrlReader(const WinHttpUrlReader&) = delete;
    WinHttpUrlReader& operator=(const WinHttpUrlReader&) = delete;

    void start(const std::string& key, const std::string& url, int options,
               UrlReadEvents& events) override;
    void cancel(const std::string& key) override;

private:
    struct Read {
        std::uint64_t id;
        UrlReadEvents* events;
        std::shared_ptr<WinHttpTransfer> transfer;
    };
    struct Worker {
        std::shared_ptr<WinHttpTransfer> transfer;
        std::thread thread;
    };

    // On the window thread: the read's event, unless it was cancelled or replaced.
    void deliver(const std::string& key, std::uint64_t id, bool last,
                 const std::function<void(UrlReadEvents&)>& event);
    void joinFinishedWorkers();

    Post post_;
    void* session_;
    std::map<std::string, Read> reads_;
    std::vector<Worker> workers_;
    std::uint64_t nextId_ = 1;
    // Posted events reach the reader through this while it lives.
    std::shared_ptr<WinHttpUrlReader*> alive_;
};

} // namespace dorvex

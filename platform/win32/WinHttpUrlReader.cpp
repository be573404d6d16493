#include "platform/win32/WinHttpUrlReader.h"

#include "platform/win32/Utf8Text.h"
#include "platform/win32/WinHttpTransfer.h"

#include <stdexcept>

namespace dorvex {

namespace {

// Options 16: from the server, never from a cache.
constexpr int fromServerOption = 16;

} // namespace

WinHttpUrlReader::WinHttpUrlReader(Post postToWindowThread)
    : post_(std::move(postToWindowThread)),
      session_(::WinHttpOpen(L"Dorvex Zede", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                             WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)),
      alive_(std::make_shared<WinHttpUrlReader*>(this)) {
    if (session_ == nullptr) {
        throw std::runtime_error("WinHTTP cannot be used");
    }
}

WinHttpUrlReader::~WinHttpUrlReader() {
    alive_.reset();
    for (Worker& worker : workers_) {
        worker.transfer->abort();
        worker.thread.join();
    }
    ::WinHttpCloseHandle(session_);
}

void WinHttpUrlReader::start(const std::string& key, const std::string& url, int options,
                             UrlReadEvents& events) {
    const auto address = WinHttpAddress::parse(utf16(url));
    if (!address) {
        throw std::runtime_error("not a web address: " + url);
    }
    cancel(key);
    joinFinishedWorkers();
    const std::uint64_t id = nextId_++;
    auto transfer =
        std::make_shared<WinHttpTransfer>(session_, *address, (options & fromServerOption) != 0);
    reads_[key] = {id, &events, transfer};
    const std::weak_ptr<WinHttpUrlReader*> alive = alive_;
    // Hands an event to the window thread, where it finds the reader if it still lives.
    auto send = [post = post_, alive, key, id](bool last,
                                               std::function<void(UrlReadEvents&)> event) {
        post([alive, key, id, last, event = std::move(event)] {
            if (const auto reader = alive.lock()) {
                (*reader)->deliver(key, id, last, event);
            }
        });
    };
    std::thread thread([transfer, key, send] {
        const auto result = transfer->run([&](const std::string& data) {
            send(false, [key, data](UrlReadEvents& events) { events.progress(key, data); });
        });
        send(true, [key, result](UrlReadEvents& events) { result.tell(events, key); });
    });
    workers_.push_back({std::move(transfer), std::move(thread)});
}

void WinHttpUrlReader::cancel(const std::string& key) {
    const auto found = reads_.find(key);
    if (found != reads_.end()) {
        found->second.transfer->abort();
        reads_.erase(found);
    }
}

void WinHttpUrlReader::deliver(const std::string& key, std::uint64_t id, bool last,
                               const std::function<void(UrlReadEvents&)>& event) {
    const auto found = reads_.find(key);
    if (found == reads_.end() || found->second.id != id) {
        return;
    }
    UrlReadEvents& events = *found->second.events;
    if (last) {
        reads_.erase(found);
    }
    // The handler may start or cancel reads, so nothing of the map is used afterwards.
    event(events);
}

// A worker whose transfer only this list still holds has ended: its thread is joined at once.
void WinHttpUrlReader::joinFinishedWorkers() {
    std::erase_if(workers_, [](Worker& worker) {
        if (worker.transfer.use_count() > 1) {
            return false;
        }
        worker.thread.join();
        return true;
    });
}

} // namespace dorvex

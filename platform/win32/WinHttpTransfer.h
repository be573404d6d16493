#pragma once

#include "platform/win32/WinHttpAddress.h"

#include <windows.h>
#include <winhttp.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace dorvex {

// One GET with synchronous WinHTTP, run on a thread of its own. Redirects are followed here, and
// only to the same scheme, host and port; abort() from another thread ends it early.
class WinHttpTransfer {
public:
    struct Result {
        bool completed = false;
        std::int32_t number = 0; // the error's number and text when not completed
        std::string text;
        std::string data;
    };
    using Progress = std::function<void(const std::string& data)>;

    // `fromServer`: never an answer from a cache.
    WinHttpTransfer(HINTERNET session, WinHttpAddress address, bool fromServer);
    Result run(const Progress& progress);
    void abort();

    // Redirects in a row before the read fails, as a browser would.
    static constexpr int maxRedirects = 10;

private:
    Result get(const WinHttpAddress& address, const Progress& progress, int redirects);
    Result systemFailure();
    HINTERNET open(const WinHttpAddress& address);
    void close();

    HINTERNET session_;
    WinHttpAddress address_;
    bool fromServer_;
    std::atomic<bool> aborted_ = false;
    std::mutex mutex_; // guards the handles, which abort() closes to end a waiting call
    HINTERNET connection_ = nullptr;
    HINTERNET request_ = nullptr;
};

} // namespace dorvex

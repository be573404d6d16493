#pragma once

#include "platform/UrlReader.h"
#include "platform/win32/WinHttpAddress.h"

#include <windows.h>
#include <winhttp.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>

namespace dorvex {

// One GET with synchronous WinHTTP, run on a thread of its own. Redirects are followed here, and
// only to the same scheme, host and port; the reply stays within the bounds of UrlReader.h, in
// size and in time. abort() from another thread ends it early: Windows ends a waiting call when
// its handle closes, Wine when the call's time-out has passed.
class WinHttpTransfer {
public:
    using Result = UrlReadEnd;
    using Progress = std::function<void(const std::string& data)>;

    // `fromServer`: never an answer from a cache.
    WinHttpTransfer(HINTERNET session, WinHttpAddress address, bool fromServer);
    Result run(const Progress& progress);
    void abort();

    // Redirects in a row before the read fails, as a browser would.
    static constexpr int maxRedirects = 10;

private:
    using Clock = std::chrono::steady_clock;

    Result get(const WinHttpAddress& address, const Progress& progress, int redirects);
    // The failure of the last call; one that waited too long says `timeoutText`.
    Result systemFailure(const std::string& timeoutText);
    HINTERNET open(const WinHttpAddress& address);
    // Lets each call on the request wait no longer than until then; false once aborted.
    bool waitAtMostUntil(Clock::time_point deadline);
    void close();

    HINTERNET session_;
    WinHttpAddress address_;
    bool fromServer_;
    Clock::time_point readDeadline_;
    std::atomic<bool> aborted_ = false;
    std::mutex mutex_; // guards the handles, which abort() closes to end a waiting call
    HINTERNET connection_ = nullptr;
    HINTERNET request_ = nullptr;
};

} // namespace dorvex

#pragma once

#include "platform/StatusRequests.h"
#include "platform/win32/StatusExchange.h"

namespace dorvex {

// The running instance's answer to "dorvexzede --status": a message-only window of the thread
// that serves, found by its class from the same desktop; an asker of another user gets nothing.
class Win32StatusRequests final : public StatusRequests {
public:
    explicit Win32StatusRequests(HINSTANCE instance) : instance_(instance) {}
    ~Win32StatusRequests() override;
    Win32StatusRequests(const Win32StatusRequests&) = delete;
    Win32StatusRequests& operator=(const Win32StatusRequests&) = delete;

    // The window is made here, so that nobody finds an instance that cannot answer yet.
    void serve(std::function<std::string()> report) override;

    // How long the asker may take to take the answer.
    static constexpr UINT answerTimeoutMilliseconds = 2000;

private:
    void answer(HWND asker, const COPYDATASTRUCT& request) const;

    HINSTANCE instance_;
    std::function<std::string()> report_;
    status::CopyDataHandler handler_;
    HWND window_ = nullptr;
};

} // namespace dorvex

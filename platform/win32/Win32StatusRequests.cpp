#include "platform/win32/Win32StatusRequests.h"

#include "platform/win32/WindowOwner.h"

namespace dorvex {

Win32StatusRequests::~Win32StatusRequests() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void Win32StatusRequests::serve(std::function<std::string()> report) {
    report_ = std::move(report);
    if (window_ == nullptr) {
        handler_ = [this](HWND asker, const COPYDATASTRUCT& request) { answer(asker, request); };
        window_ = status::makeWindow(instance_, status::serverClass, handler_);
    }
}

// The asker waits in its request, so it takes the answer before the request returns.
void Win32StatusRequests::answer(HWND asker, const COPYDATASTRUCT& request) const {
    if (request.dwData != status::requestTag || !windowOfSameUser(asker)) {
        return;
    }
    std::string json = report_();
    COPYDATASTRUCT reply{status::answerTag, static_cast<DWORD>(json.size()), json.data()};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(asker, WM_COPYDATA, reinterpret_cast<WPARAM>(window_),
                        reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG,
                        answerTimeoutMilliseconds, &result);
}

} // namespace dorvex

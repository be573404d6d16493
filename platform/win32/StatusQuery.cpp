#include "platform/win32/StatusQuery.h"

#include "platform/win32/StatusExchange.h"

namespace dorvex {

std::optional<std::string> askRunningInstance(HINSTANCE instance, UINT timeoutMilliseconds) {
    HWND server = FindWindowExW(HWND_MESSAGE, nullptr, status::serverClass, nullptr);
    if (server == nullptr) {
        return std::nullopt;
    }
    std::optional<std::string> answer;
    status::CopyDataHandler handler = [&answer, &server](HWND sender, const COPYDATASTRUCT& data) {
        if (sender == server && data.dwData == status::answerTag) {
            answer.emplace(static_cast<const char*>(data.lpData), data.cbData);
        }
    };
    const HWND asker = status::makeWindow(instance, status::clientClass, handler);
    if (asker == nullptr) {
        return std::nullopt;
    }
    // An instance running elevated, or not, may answer all the same.
    ChangeWindowMessageFilterEx(asker, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    COPYDATASTRUCT request{status::requestTag, 0, nullptr};
    for (; server != nullptr && !answer;
         server = FindWindowExW(HWND_MESSAGE, server, status::serverClass, nullptr)) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(server, WM_COPYDATA, reinterpret_cast<WPARAM>(asker),
                            reinterpret_cast<LPARAM>(&request), SMTO_ABORTIFHUNG,
                            timeoutMilliseconds, &result);
    }
    DestroyWindow(asker);
    return answer;
}

} // namespace dorvex

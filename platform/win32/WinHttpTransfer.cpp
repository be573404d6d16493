#include "platform/win32/WinHttpTransfer.h"

#include "platform/UrlReader.h"
#include "platform/win32/SystemErrorText.h"

#include <algorithm>

namespace dorvex {

namespace {

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

DWORD statusCode(HINTERNET request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    ::WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                          WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
    return status;
}

std::wstring header(HINTERNET request, DWORD which) {
    DWORD size = 0;
    ::WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                          WINHTTP_NO_HEADER_INDEX);
    std::wstring value(size / sizeof(wchar_t), L'\0');
    if (value.empty() || !::WinHttpQueryHeaders(request, which, WINHTTP_HEADER_NAME_BY_INDEX,
                                                value.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    value.resize(size / sizeof(wchar_t));
    return value;
}

bool isRedirect(DWORD status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

WinHttpTransfer::WinHttpTransfer(HINTERNET session, WinHttpAddress address, bool fromServer)
    : session_(session), address_(std::move(address)), fromServer_(fromServer) {}

WinHttpTransfer::Result WinHttpTransfer::run(const Progress& progress) {
    readDeadline_ = Clock::now() + std::chrono::milliseconds(UrlReadTimeoutMs);
    Result result = get(address_, progress, 0);
    close();
    return result;
}

void WinHttpTransfer::abort() {
    aborted_ = true;
    close();
}

void WinHttpTransfer::close() {
    const std::lock_guard lock(mutex_);
    for (HINTERNET* handle : {&request_, &connection_}) {
        if (*handle != nullptr) {
            ::WinHttpCloseHandle(*handle);
            *handle = nullptr;
        }
    }
}

WinHttpTransfer::Result WinHttpTransfer::systemFailure(const std::string& timeoutText) {
    const DWORD error = ::GetLastError();
    // Wine passes on the socket's own number for a call that waited too long.
    if (error == ERROR_WINHTTP_TIMEOUT || error == WSAETIMEDOUT) {
        return {false, ERROR_WINHTTP_TIMEOUT, timeoutText, {}};
    }
    const std::string text = systemErrorText(error, "winhttp.dll");
    // Wine's WinHTTP has no texts of its own.
    return {false,
            static_cast<std::int32_t>(error),
            text.empty() ? "WinHTTP error " + std::to_string(error) : text,
            {}};
}

// The request for the address, sent; nullptr when that failed or the transfer was aborted.
HINTERNET WinHttpTransfer::open(const WinHttpAddress& address) {
    close();
    const std::lock_guard lock(mutex_);
    if (aborted_) {
        ::SetLastError(ERROR_WINHTTP_OPERATION_CANCELLED);
        return nullptr;
    }
    connection_ = ::WinHttpConnect(session_, address.host.c_str(),
                                   static_cast<INTERNET_PORT>(address.port), 0);
    const DWORD flags =
        (address.secure ? WINHTTP_FLAG_SECURE : 0) | (fromServer_ ? WINHTTP_FLAG_REFRESH : 0);
    request_ = connection_ == nullptr
                   ? nullptr
                   : ::WinHttpOpenRequest(connection_, L"GET", address.path.c_str(), nullptr,
                                          WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, flags);
    DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    DWORD headBytes = MaxUrlHeaderBytes;
    return request_ != nullptr &&
                   ::WinHttpSetOption(request_, WINHTTP_OPTION_REDIRECT_POLICY, &policy,
                                      sizeof policy) &&
                   ::WinHttpSetOption(request_, WINHTTP_OPTION_MAX_RESPONSE_HEADER_SIZE, &headBytes,
                                      sizeof headBytes)
               ? request_
               : nullptr;
}

bool WinHttpTransfer::waitAtMostUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    // At least a millisecond: a time-out of 0 is none at all.
    DWORD wait = static_cast<DWORD>(std::clamp<long long>(left, 1, UrlReadTimeoutMs));
    const std::lock_guard lock(mutex_);
    if (aborted_) {
        ::SetLastError(ERROR_WINHTTP_OPERATION_CANCELLED);
        return false;
    }
    const int each = static_cast<int>(wait);
    return ::WinHttpSetTimeouts(request_, each, each, each, each) &&
           ::WinHttpSetOption(request_, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &wait,
                              sizeof wait);
}

WinHttpTransfer::Result WinHttpTransfer::get(const WinHttpAddress& address,
                                             const Progress& progress, int redirects) {
    HINTERNET request = open(address);
    const Clock::time_point headDeadline =
        std::min(Clock::now() + std::chrono::milliseconds(UrlHeaderTimeoutMs), readDeadline_);
    // The handle is used outside the lock: abort() closing it makes the waiting call fail.
    if (request == nullptr || !waitAtMostUntil(headDeadline) ||
        !::WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0,
                              0, 0) ||
        !::WinHttpReceiveResponse(request, nullptr)) {
        return systemFailure(urlHeadTimeoutText());
    }
    const DWORD status = statusCode(request);
    if (isRedirect(status)) {
        const std::wstring location = header(request, WINHTTP_QUERY_LOCATION);
        const auto target = address.resolve(location);
        if (!target || !target->sameServer(address_) || redirects == maxRedirects) {
            return {false,
                    ERROR_WINHTTP_REDIRECT_FAILED,
                    "Redirected off the site to " + narrow(location),
                    {}};
        }
        return get(*target, progress, redirects + 1);
    }
    if (status >= 400) {
        return {false,
                static_cast<std::int32_t>(status),
                "HTTP " + std::to_string(status) + " " +
                    narrow(header(request, WINHTTP_QUERY_STATUS_TEXT)),
                {}};
    }
    Result result{true};
    char buffer[16384];
    for (DWORD got = 0;;) {
        if (!waitAtMostUntil(readDeadline_) ||
            !::WinHttpReadData(request, buffer, sizeof buffer, &got)) {
            return systemFailure(urlReadTimeoutText());
        }
        if (got == 0) {
            return result;
        }
        result.data.append(buffer, got);
        if (result.data.size() > MaxUrlReadBytes) {
            return {false, ERROR_WINHTTP_RESPONSE_DRAIN_OVERFLOW, urlReplyTooLargeText(), {}};
        }
        // A server that keeps sending a little at a time ends here.
        if (Clock::now() >= readDeadline_) {
            return {false, ERROR_WINHTTP_TIMEOUT, urlReadTimeoutText(), {}};
        }
        progress(result.data);
    }
}

} // namespace dorvex

#include "platform/win32/WinHttpAddress.h"

#include <windows.h>
#include <winhttp.h>

namespace dorvex {

std::optional<WinHttpAddress> WinHttpAddress::parse(const std::wstring& text) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength =
        parts.dwUserNameLength = static_cast<DWORD>(-1);
    if (!::WinHttpCrackUrl(text.c_str(), static_cast<DWORD>(text.size()), 0, &parts) ||
        (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) ||
        parts.dwHostNameLength == 0 || parts.dwUserNameLength != 0) {
        return std::nullopt;
    }
    WinHttpAddress address{parts.nScheme == INTERNET_SCHEME_HTTPS,
                           std::wstring(parts.lpszHostName, parts.dwHostNameLength), parts.nPort,
                           std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                               std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength)};
    if (address.path.empty() || address.path.front() != L'/') {
        address.path.insert(0, 1, L'/');
    }
    return address;
}

std::optional<WinHttpAddress> WinHttpAddress::resolve(const std::wstring& location) const {
    if (location.find(L"://") != std::wstring::npos) {
        return parse(location);
    }
    if (location.starts_with(L"//")) {
        return parse((secure ? L"https:" : L"http:") + location);
    }
    WinHttpAddress target = *this;
    if (location.starts_with(L"/")) {
        target.path = location;
    } else {
        const std::wstring folder = path.substr(0, path.find_first_of(L"?#"));
        target.path = folder.substr(0, folder.rfind(L'/') + 1) + location;
    }
    return target;
}

std::wstring WinHttpAddress::text() const {
    return (secure ? L"https://" : L"http://") + host + L":" + std::to_wstring(port) + path;
}

} // namespace dorvex

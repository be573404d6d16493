#pragma once

#include <optional>
#include <string>

namespace dorvex {

// An http or https address, split as WinHTTP needs it.
struct WinHttpAddress {
    bool secure = false;
    std::wstring host;
    unsigned port = 80;
    std::wstring path = L"/"; // with the query

    bool sameServer(const WinHttpAddress& other) const {
        return secure == other.secure && host == other.host && port == other.port;
    }
    // Nothing when the text is no http or https address with a host.
    static std::optional<WinHttpAddress> parse(const std::wstring& text);
    // Where a Location header leads from this address: absolute, scheme-relative, rooted or
    // relative to this address's folder.
    std::optional<WinHttpAddress> resolve(const std::wstring& location) const;
    std::wstring text() const;
};

} // namespace dorvex

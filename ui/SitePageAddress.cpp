#include "ui/SitePageAddress.h"

#include "ui/WebAddress.h"

#include <string_view>

namespace dorvex {

namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// Characters a path and query may carry as they are; the rest is percent-encoded.
bool keptAsIs(unsigned char c) {
    constexpr std::string_view kept = "-._~/?=&+,;!$*():@";
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           kept.find(static_cast<char>(c)) != std::string_view::npos;
}

bool acceptable(std::string_view page) {
    if (page.starts_with('/') || page.find("//") != std::string_view::npos ||
        page.find('\\') != std::string_view::npos) {
        return false;
    }
    for (const char c : page) {
        if (isControl(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    const std::string_view path = page.substr(0, page.find('?'));
    // A colon before the first slash would make the browser read a scheme ("javascript:").
    // A ".." segment is refused with the built address.
    return path.substr(0, path.find('/')).find(':') == std::string_view::npos;
}

} // namespace

std::optional<std::string> sitePageAddress(std::string_view siteRoot, std::string_view page) {
    if (!acceptable(page)) {
        return std::nullopt;
    }
    constexpr std::string_view hex = "0123456789ABCDEF";
    std::string address(siteRoot);
    for (const char c : page) {
        const auto byte = static_cast<unsigned char>(c);
        if (keptAsIs(byte)) {
            address += c;
        } else {
            address += '%';
            address += hex[byte >> 4];
            address += hex[byte & 0x0F];
        }
    }
    // Checked as built: a root without its closing "/" would let a page name another host.
    if (!belowSiteRoot(address, siteRoot)) {
        return std::nullopt;
    }
    return address;
}

} // namespace dorvex

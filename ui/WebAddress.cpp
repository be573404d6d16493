#include "ui/WebAddress.h"

#include "app/Version.h"

#include <algorithm>
#include <cctype>

namespace dorvex {

namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::ranges::transform(lower, lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Printable ASCII without blank and backslash, and every "%" starting an escape.
bool plainCharacters(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c <= 0x20 || c >= 0x7F || c == '\\') {
            return false;
        }
        if (c == '%' && (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2]))) {
            return false;
        }
    }
    return true;
}

bool hostCharacters(std::string_view host) {
    const bool bracketed = host.starts_with('[') && host.ends_with(']') && host.size() > 2;
    const std::string_view inner = bracketed ? host.substr(1, host.size() - 2) : host;
    return !inner.empty() && std::ranges::all_of(inner, [&](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.' ||
               (c == '-' && !bracketed) || (c == ':' && bracketed);
    });
}

std::optional<int> portNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 5 ||
        !std::ranges::all_of(digits, [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int port = std::stoi(std::string(digits));
    return port >= 1 && port <= 65535 ? std::optional<int>(port) : std::nullopt;
}

// A ".." segment, also when its dots are escaped: browsers go up a level for each.
bool leadsOut(std::string_view path) {
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        std::string segment = lowerCase(path.substr(start, end - start));
        for (std::size_t at = segment.find("%2e"); at != std::string::npos;
             at = segment.find("%2e")) {
            segment.replace(at, 3, ".");
        }
        if (segment == "..") {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace

std::optional<WebAddress> readWebAddress(std::string_view text) {
    const std::size_t schemeEnd = text.find("://");
    if (schemeEnd == std::string_view::npos || !plainCharacters(text)) {
        return std::nullopt;
    }
    WebAddress address;
    address.scheme = lowerCase(text.substr(0, schemeEnd));
    if (address.scheme != "http" && address.scheme != "https") {
        return std::nullopt;
    }
    const std::string_view rest = text.substr(schemeEnd + 3);
    const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
    const std::string_view authority = rest.substr(0, authorityEnd);
    // After a bracketed host, only the port's colon is left.
    const std::size_t colon = authority.find(':', authority.rfind(']') + 1);
    const std::string_view host = authority.substr(0, colon);
    if (authority.find('@') != std::string_view::npos || !hostCharacters(host)) {
        return std::nullopt;
    }
    address.host = lowerCase(host);
    if (colon == std::string_view::npos) {
        address.port = address.scheme == "https" ? 443 : 80;
    } else if (const std::optional<int> port = portNumber(authority.substr(colon + 1))) {
        address.port = *port;
    } else {
        return std::nullopt;
    }
    const std::string_view path = rest.substr(authorityEnd);
    const std::size_t pathEnd = std::min(path.find_first_of("?#"), path.size());
    address.path = path.substr(0, pathEnd);
    address.tail = pathEnd < path.size();
    return address;
}

std::optional<std::string> siteRootFrom(std::string_view text) {
    const std::optional<WebAddress> address = readWebAddress(text);
    if (!address || address->tail || leadsOut(address->path)) {
        return std::nullopt;
    }
    std::string root(text);
    if (!root.ends_with('/')) {
        root += '/';
    }
    return root;
}

bool belowSiteRoot(std::string_view address, std::string_view siteRoot) {
    const std::optional<WebAddress> page = readWebAddress(address);
    const std::optional<WebAddress> root = readWebAddress(siteRoot);
    if (!page || !root || page->scheme != root->scheme || page->host != root->host ||
        page->port != root->port || leadsOut(page->path)) {
        return false;
    }
    const std::string rootPath = root->path.ends_with('/') ? root->path : root->path + '/';
    return (page->path + '/').starts_with(rootPath);
}

void useSiteRoot(std::string& siteRoot, const char* configured, std::ostream& errors) {
    if (configured == nullptr) {
        return;
    }
    if (const std::optional<std::string> root = siteRootFrom(configured)) {
        siteRoot = *root;
        return;
    }
    errors << AppName << ": the site root \"" << configured
           << "\" is not an http or https address with a host and no user part; using " << siteRoot
           << " instead.\n";
}

} // namespace dorvex

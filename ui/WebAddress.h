#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace dorvex {

// The parts of an absolute web address that say where it leads.
struct WebAddress {
    std::string scheme; // "http" or "https", in lower case
    std::string host;   // in lower case
    int port = 0;       // the scheme's own port when the address names none
    std::string path;   // from the first "/" up to a "?" or "#"; may be empty
    bool tail = false;  // a query or fragment follows the path
};

// A strict reading of an http or https address. Nothing for a user part, an empty host, a port
// that is no number from 1 to 65535, a stray "%", or a character outside printable ASCII, a blank
// or a backslash (which browsers read as "/").
std::optional<WebAddress> readWebAddress(std::string_view text);

// The site root as the program uses it: an http or https address with a host, no user part and
// no query, given a closing "/" when it has none. Nothing for anything else.
std::optional<std::string> siteRootFrom(std::string_view text);

// True when the address has the root's scheme, host and port and a path below the root's path
// that no ".." segment leads out of.
bool belowSiteRoot(std::string_view address, std::string_view siteRoot);

// Takes a configured site root when it passes; anything else is reported on `errors` and the
// built-in root stays. Nothing configured keeps the built-in root quietly.
void useSiteRoot(std::string& siteRoot, const char* configured, std::ostream& errors);

} // namespace dorvex

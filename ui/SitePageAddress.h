#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvex {

// The address of a page below the vendor's site root (which ends in "/"); an empty page is the
// home page. Pages come from the network, so only a relative path is accepted, percent-encoded;
// nothing for a scheme, "//", a leading "/", a backslash, a ".." segment or a control character,
// nor for an address that does not lead below the root.
std::optional<std::string> sitePageAddress(std::string_view siteRoot, std::string_view page);

} // namespace dorvex

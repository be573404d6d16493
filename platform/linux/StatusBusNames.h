#pragma once

namespace dorvex {

// Where the running program answers "dorvexzede --status" on the session bus.
inline constexpr const char* statusService = "example.kemtora.DorvexZede";
inline constexpr const char* statusPath = "/example/kemtora/DorvexZede";
inline constexpr const char* statusInterface = "example.kemtora.DorvexZede";
inline constexpr const char* statusMethod = "Status";

} // namespace dorvex

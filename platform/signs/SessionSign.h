#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace dorvex {

// What the login manager tells of one session, in logind's terms; other systems' sessions are
// told in them too.
struct SessionProperties {
    std::string id, name, seat, tty, sessionClass, state, type, service, remoteHost;
    std::uint32_t uid = 0;
    bool remote = false;
    bool idleHint = false;
    std::uint64_t idleSinceHint = 0; // µs since the epoch; 0 when never idle
};

// The line for the user for a session used within `quietLimit` of `now`, none for one that is
// no person's, is closing or was not used since; `ownUser` when it is the program's user's.
std::optional<std::string> sessionSign(const SessionProperties& session, bool ownUser,
                                       std::chrono::system_clock::time_point now,
                                       std::chrono::seconds quietLimit);

} // namespace dorvex

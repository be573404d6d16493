#include "platform/signs/SessionSign.h"

namespace dorvex {

namespace {

using std::chrono::system_clock;

// When the session was last used, if ever.
std::optional<system_clock::time_point> lastUse(const SessionProperties& session,
                                                system_clock::time_point now) {
    const system_clock::time_point since{std::chrono::microseconds(session.idleSinceHint)};
    // A terminal's session tells when its terminal was last used, also while it does not count
    // as idle yet: logind waits minutes before it does, longer than a short quiet time.
    if (session.type == "tty" && session.idleSinceHint != 0) {
        return since;
    }
    // A session in the background of its seat (another user switched to) has nobody at it,
    // whatever its idle hint, which many desktops leave unset: it would hold off for good.
    if (!session.idleHint) {
        return session.state == "active" ? std::optional(now) : std::nullopt;
    }
    return session.idleSinceHint == 0 ? std::nullopt : std::optional(since);
}

std::string who(const SessionProperties& session, bool ownUser) {
    if (session.remote) {
        const char* how = session.service == "sshd" ? " over ssh" : " remotely";
        return session.name + " is logged in" + how +
               (session.remoteHost.empty() ? "" : " from " + session.remoteHost);
    }
    if (ownUser) {
        return session.name + " uses another session (" +
               (session.tty.empty() ? "session " + session.id : session.tty) + ")";
    }
    const std::string& place = !session.seat.empty() ? session.seat : session.tty;
    return session.name + " is logged in" + (place.empty() ? "" : " on " + place);
}

std::string ago(std::chrono::seconds idle) {
    if (idle < std::chrono::seconds(1)) {
        return "active now";
    }
    if (idle < std::chrono::minutes(2)) {
        return "active " + std::to_string(idle.count()) + " s ago";
    }
    return "active " + std::to_string(std::chrono::floor<std::chrono::minutes>(idle).count()) +
           " min ago";
}

} // namespace

std::optional<std::string> sessionSign(const SessionProperties& session, bool ownUser,
                                       system_clock::time_point now,
                                       std::chrono::seconds quietLimit) {
    // Greeters, lock screens and background sessions are nobody at the machine; a closing
    // session's user has logged out.
    if (session.sessionClass != "user" || session.state == "closing") {
        return std::nullopt;
    }
    const auto used = lastUse(session, now);
    if (!used) {
        return std::nullopt;
    }
    // A clock set back makes a use in the future: it is now.
    const auto idle =
        std::max(std::chrono::floor<std::chrono::seconds>(now - *used), std::chrono::seconds(0));
    if (idle > quietLimit) {
        return std::nullopt;
    }
    return who(session, ownUser) + ", " + ago(idle);
}

} // namespace dorvex

#pragma once

#include <functional>
#include <optional>
#include <string>

namespace dorvex {

// What asking the running instance of the session brought: its report, or none and why, when
// the system says.
struct StatusAnswer {
    std::optional<std::string> report;
    std::string whyNone;
};

// Another process of the same user, in the same logon session, asking the running instance
// what it sees ("dorvexzede --status").
class StatusRequests {
public:
    virtual ~StatusRequests() = default;
    // From now on each request is answered with what `report` gives, on the program's thread,
    // as soon as it arrives: one JSON object. Requests of other users get no answer.
    virtual void serve(std::function<std::string()> report) = 0;
};

} // namespace dorvex

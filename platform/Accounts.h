#pragma once

namespace dorvex {

class Accounts {
public:
    virtual ~Accounts() = default;
    // True when the user running the program is one of the system's administrators.
    virtual bool userIsAdministrator() = 0;
};

} // namespace dorvex

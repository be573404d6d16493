#pragma once

#include "platform/Accounts.h"

namespace dorvex {

// Administrators are root and the members of the groups sudo, wheel and admin, judged by the
// groups of this process (its effective group and its supplementary groups).
class PosixAccounts : public Accounts {
public:
    bool userIsAdministrator() override;
};

} // namespace dorvex

#pragma once

#include "platform/Accounts.h"

namespace dorvex {

// Membership of the built-in administrators group (S-1-5-32-544), found by account name among
// the groups of the process's token, whether the group is enabled or only for denying.
class Win32Accounts : public Accounts {
public:
    bool userIsAdministrator() override;
};

} // namespace dorvex

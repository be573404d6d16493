#include "tests/support/Simulation.h"

#include <grp.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

namespace dorvex::test {

void dropPrivileges() {
    if (::geteuid() != 0) {
        return;
    }
    constexpr id_t nobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
        std::cerr << "cannot become an unprivileged user\n";
        std::exit(2);
    }
    // The change of user made the process undumpable, and LeakSanitizer, which inspects it at
    // exit, would stop it with a fatal error instead of the ending under test.
    ::prctl(PR_SET_DUMPABLE, 1);
}

} // namespace dorvex::test

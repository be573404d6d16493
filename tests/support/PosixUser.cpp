#include "tests/support/Simulation.h"

#include <grp.h>
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
}

} // namespace dorvex::test

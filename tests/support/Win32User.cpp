#include "tests/support/Simulation.h"

namespace dorvex::test {

// An administrator's process meets a file's access rights like any other on Windows: nothing to
// give up.
void dropPrivileges() {}

} // namespace dorvex::test

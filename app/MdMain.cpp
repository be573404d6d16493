#include "app/MdMain.h"

#include "app/Program.h"
#include "app/StatusReport.h"
#include "app/SwitchCode.h"

namespace dorvex {

namespace {

constexpr const char* GuardName = "Dorvex";

} // namespace

void Main(Program& program) {
    const bool allowMulti = allowsMultipleInstances(program.argumentText());
    // The guard is taken even by an instance that may run beside others, so that a later start
    // without the switch sees it.
    const bool otherInstance = program.mdMult.Check_PrevInstance(GuardName, false);
    if (!allowMulti && otherInstance) {
        program.multiInst.show();
        return;
    }
    const bool stillOther = program.mdMult.Check_PrevInstance(GuardName, false);
    if (!allowMulti && !stillOther) {
        // One more handle, held until the process ends.
        program.platform.mutexes.create(GuardName);
    }
    program.platform.statusRequests.serve([&program] { return statusReport(program); });
    program.mainWindow.show();
}

} // namespace dorvex

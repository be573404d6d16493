#include "desktop/ProgramStart.h"

#include "app/Program.h"
#include "ui/WebAddress.h"

#include <cstdlib>
#include <iostream>

namespace dorvex {

int runProgram(Platform& platform, const std::string& arguments, const StartHooks& hooks) {
    Program program(platform);
    useSiteRoot(program.state.SiteRoot, std::getenv("DORVEX_SITE_ROOT"), std::cerr);
    hooks.beforeStart(program);
    program.start(arguments);
    hooks.afterStart();
    if (program.ended()) {
        return program.exitStatus();
    }
    return hooks.runEventLoop();
}

} // namespace dorvex

#pragma once

#include "platform/Platform.h"

#include <functional>
#include <string>

namespace dorvex {

class Program;

// What a window system adds to the start: `beforeStart` once the program is made (the end
// requests of the system wired to it), `afterStart` once the entry routine has returned, and its
// event loop, which runs unless the program ended during the start.
struct StartHooks {
    std::function<void(Program&)> beforeStart = [](Program&) {};
    std::function<void()> afterStart = [] {};
    std::function<int()> runEventLoop;
};

// The start both systems share: the program on the platform, the vendor's site from
// DORVEX_SITE_ROOT, the entry routine with the argument text, then the event loop. Gives the
// process's exit status.
int runProgram(Platform& platform, const std::string& arguments, const StartHooks& hooks);

} // namespace dorvex

// Dorvex Zede on Windows: the program's core on Win32 windows and the Windows services.
#include "app/Program.h"
#include "desktop/CommandLine.h"
#include "desktop/ProgramStart.h"
#include "desktop/win32/Win32DesktopPlatform.h"
#include "platform/win32/StatusQuery.h"

#include <cstdio>
#include <iostream>

namespace {

// A program of the GUI subsystem started from a console has no standard output or error there
// unless they are redirected: what the switch answers goes to that console then.
void answerInStartingConsole() {
    const bool noOutput = GetStdHandle(STD_OUTPUT_HANDLE) == nullptr;
    const bool noErrors = GetStdHandle(STD_ERROR_HANDLE) == nullptr;
    if ((noOutput || noErrors) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (noOutput) {
            std::freopen("CONOUT$", "w", stdout);
        }
        if (noErrors) {
            std::freopen("CONOUT$", "w", stderr);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace dorvex;
    if (const auto status = answerWithoutRunning(argc, argv, std::cout, std::cerr, [] {
            // It makes no window of the program's and leaves the single-instance mutex alone.
            answerInStartingConsole();
            return StatusAnswer{askRunningInstance(GetModuleHandleA(nullptr), 3000), {}};
        })) {
        return *status;
    }
    const std::string arguments = argumentText(argc, argv);
    Win32DesktopPlatform desktop(GetModuleHandleA(nullptr));
    Platform platform = desktop.platform();
    Win32WindowSystem& windows = desktop.windows();
    return runProgram(platform, arguments,
                      {.beforeStart =
                           [&windows](Program& program) {
                               windows.onSessionEnd([&program] { program.endOnRequest(); });
                           },
                       .runEventLoop = [&windows] { return windows.run(); }});
}

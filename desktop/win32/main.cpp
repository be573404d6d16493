// Dorvex Zede on Windows: the program's core on Win32 windows and the Windows services.
#include "app/Program.h"
#include "desktop/CommandLine.h"
#include "platform/NoDesktopNotices.h"
#include "platform/stdfs/StdFileSystem.h"
#include "platform/win32/EventLogSystemLog.h"
#include "platform/win32/StatusQuery.h"
#include "platform/win32/SystemAudioSessionCalls.h"
#include "platform/win32/SystemPowerCalls.h"
#include "platform/win32/Win32Accounts.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32InputDevices.h"
#include "platform/win32/Win32NamedMutexes.h"
#include "platform/win32/Win32NetworkTransfers.h"
#include "platform/win32/Win32OsVersion.h"
#include "platform/win32/Win32OtherSessions.h"
#include "platform/win32/Win32PowerControl.h"
#include "platform/win32/Win32ProcessPriority.h"
#include "platform/win32/Win32SoundSessions.h"
#include "platform/win32/Win32StatusRequests.h"
#include "platform/win32/Win32SystemTimes.h"
#include "platform/win32/Win32WakeRequests.h"
#include "platform/win32/WinHttpUrlReader.h"
#include "platform/win32/gui/Win32ProcessControl.h"
#include "platform/win32/gui/Win32WindowSystem.h"
#include "ui/WebAddress.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// "--status": the report of the instance running in this session. It makes no window of the
// program's and leaves the single-instance mutex alone.
int answerStatus(std::ostream& out, std::ostream& err) {
    answerInStartingConsole();
    const auto report = dorvex::askRunningInstance(GetModuleHandleA(nullptr), 3000);
    if (!report) {
        err << "dorvexzede: no instance of Dorvex Zede runs in this session\n";
        return 3;
    }
    out << *report << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    using namespace dorvex;
    if (const auto status = answerWithoutRunning(
            argc, argv, std::cout, std::cerr, [] { return answerStatus(std::cout, std::cerr); })) {
        return *status;
    }
    const std::string arguments = argumentText(argc, argv);

    Win32WindowSystem windows(GetModuleHandleA(nullptr));
    Win32ProcessControl process(windows);
    WinHttpUrlReader urls(
        [&windows](std::function<void()> event) { windows.postToWindowThread(std::move(event)); });
    Win32Clock clock;
    StdFileSystem files(std::filesystem::current_path());
    Win32NamedMutexes mutexes;
    Win32ProcessPriority priority;
    Win32SystemTimes systemTimes;
    Win32InputDevices input;
    SystemPowerCalls powerCalls;
    Win32PowerControl power(powerCalls);
    Win32Accounts accounts;
    Win32OsVersion osVersion;
    SystemWakeRequestCalls wakeRequestCalls;
    Win32WakeRequests wakeRequests(wakeRequestCalls);
    // COM on the window thread, which makes every call of the sources.
    SystemAudioSessionCalls audioCalls;
    Win32SoundSessions sound(audioCalls);
    SystemSessionCalls sessionCalls;
    Win32OtherSessions otherSessions(sessionCalls);
    SystemInterfaceTableCalls interfaceTable;
    Win32NetworkTransfers transfers(interfaceTable);
    const SignSources signSources{&wakeRequests, &sound, &otherSessions, &transfers};
    NoDesktopNotices notices;
    SystemEventLogCalls eventLogCalls;
    EventLogSystemLog systemLog(eventLogCalls);
    Win32StatusRequests statusRequests(GetModuleHandleA(nullptr));
    Platform platform{clock,       files,   mutexes,   process,       priority,  windows,
                      systemTimes, input,   power,     accounts,      osVersion, urls,
                      signSources, notices, systemLog, statusRequests};

    Program program(platform);
    useSiteRoot(program.state.SiteRoot, std::getenv("DORVEX_SITE_ROOT"), std::cerr);
    windows.onSessionEnd([&program] { program.endOnRequest(); });
    program.start(arguments);
    if (program.ended()) {
        return program.exitStatus();
    }
    return windows.run();
}

#pragma once

#include "platform/Accounts.h"
#include "platform/Clock.h"
#include "platform/DesktopNotices.h"
#include "platform/FileSystem.h"
#include "platform/InputDevices.h"
#include "platform/NamedMutexes.h"
#include "platform/OsVersion.h"
#include "platform/PowerControl.h"
#include "platform/ProcessControl.h"
#include "platform/ProcessPriority.h"
#include "platform/SignsOfUse.h"
#include "platform/StatusRequests.h"
#include "platform/SystemLog.h"
#include "platform/SystemTimes.h"
#include "platform/UrlReader.h"
#include "platform/WindowSystem.h"

namespace dorvex {

// Every service of the operating system and the window system that the program uses.
struct Platform {
    Clock& clock;
    FileSystem& files;
    NamedMutexes& mutexes;
    ProcessControl& process;
    ProcessPriority& priority;
    WindowSystem& windows;
    SystemTimesSource& systemTimes;
    InputDevices& input;
    PowerControl& power;
    Accounts& accounts;
    OsVersion& osVersion;
    UrlReader& urls;
    const SignSources& signSources;
    DesktopNotices& notices;
    SystemLog& systemLog;
    StatusRequests& statusRequests;
};

} // namespace dorvex

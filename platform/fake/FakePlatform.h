#pragma once

#include "platform/Platform.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeDesktopNotices.h"
#include "platform/fake/FakeDevices.h"
#include "platform/fake/FakeNamedMutexes.h"
#include "platform/fake/FakeProcessControl.h"
#include "platform/fake/FakeStatusRequests.h"
#include "platform/fake/FakeSystemLog.h"
#include "platform/fake/FakeUrlReader.h"
#include "platform/fake/FakeWindowSystem.h"
#include "platform/stdfs/StdFileSystem.h"

#include <filesystem>

namespace dorvex {

// Every platform service, faked, except the files: those are real, below `folder`.
struct FakePlatform {
    FakePlatform(const std::filesystem::path& folder, FakeMutexRegistry& session,
                 LocalDateTime start);

    Platform platform();

    FakeClock clock;
    StdFileSystem files;
    FakeNamedMutexes mutexes;
    FakeProcessControl process;
    FakeProcessPriority priority;
    FakeWindowSystem windows{clock};
    FakeSystemTimes systemTimes{clock};
    FakeInputDevices input;
    FakePowerControl power;
    FakeAccounts accounts;
    FakeOsVersion osVersion;
    FakeUrlReader urls;
    FakeSignSource presence{SignKind::Presence}; // a film player, a call, another session
    FakeSignSource work{SignKind::Work};         // a transfer
    SignSources signSources{&presence, &work};
    FakeDesktopNotices notices;
    FakeSystemLog systemLog;
    FakeStatusRequests statusRequests;
};

} // namespace dorvex

#pragma once

#include "platform/Platform.h"
#include "platform/linux/BusStatusRequests.h"
#include "platform/linux/DbusDesktopNotices.h"
#include "platform/linux/DbusWakeInhibitors.h"
#include "platform/linux/FlockNamedMutexes.h"
#include "platform/linux/JournalSystemLog.h"
#include "platform/linux/LinuxProcessPriority.h"
#include "platform/linux/LinuxSystemTimes.h"
#include "platform/linux/LocalClock.h"
#include "platform/linux/LogindPowerControl.h"
#include "platform/linux/LogindSessions.h"
#include "platform/linux/NetworkTransfers.h"
#include "platform/linux/PosixAccounts.h"
#include "platform/linux/PulseSoundStreams.h"
#include "platform/linux/UnameOsVersion.h"
#include "platform/qt/QtProcessControl.h"
#include "platform/qt/QtReadableWatches.h"
#include "platform/qt/QtUrlReader.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/stdfs/StdFileSystem.h"

#include <memory>
#include <string>

namespace dorvex {

// The browser gets the precise timers a program usually has, not the program's slack.
class DesktopWindowSystem final : public QtWindowSystem {
public:
    bool openUrl(const std::string& url) override;
};

// Every service of a Linux desktop, on Qt windows, made in the order they need one another. The
// Qt application must exist first.
class LinuxDesktopPlatform {
public:
    LinuxDesktopPlatform();
    LinuxDesktopPlatform(const LinuxDesktopPlatform&) = delete;
    LinuxDesktopPlatform& operator=(const LinuxDesktopPlatform&) = delete;

    Platform platform();
    DesktopWindowSystem& windows() { return windows_; }

private:
    DesktopWindowSystem windows_;
    QtProcessControl process_{windows_};
    QtUrlReader urls_;
    LocalClock clock_;
    StdFileSystem files_;
    FlockNamedMutexes mutexes_;
    LinuxProcessPriority priority_;
    LinuxSystemTimes systemTimes_;
    std::unique_ptr<InputDevices> input_;
    LogindPowerControl power_;
    PosixAccounts accounts_;
    UnameOsVersion osVersion_;
    QtReadableWatches busWatches_;
    DbusWakeInhibitors wakeInhibitors_{busWatches_};
    LogindSessions otherSessions_{busWatches_};
    NetworkTransfers transfers_;
    PulseSoundStreams sound_{busWatches_};
    SignSources signSources_{&wakeInhibitors_, &sound_, &otherSessions_, &transfers_};
    DbusDesktopNotices notices_;
    JournalSystemLog journal_;
    BusStatusRequests statusRequests_{busWatches_};
};

} // namespace dorvex

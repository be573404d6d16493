#pragma once

#include "platform/NoDesktopNotices.h"
#include "platform/Platform.h"
#include "platform/stdfs/StdFileSystem.h"
#include "platform/win32/EventLogSystemLog.h"
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

namespace dorvex {

// Every service of Windows, on Win32 windows, made in the order they need one another. Made
// and used on the window thread, which makes every call of the sign sources (COM among them).
class Win32DesktopPlatform {
public:
    explicit Win32DesktopPlatform(HINSTANCE instance);
    Win32DesktopPlatform(const Win32DesktopPlatform&) = delete;
    Win32DesktopPlatform& operator=(const Win32DesktopPlatform&) = delete;

    Platform platform();
    Win32WindowSystem& windows() { return windows_; }

private:
    Win32WindowSystem windows_;
    Win32ProcessControl process_{windows_};
    WinHttpUrlReader urls_;
    Win32Clock clock_;
    StdFileSystem files_;
    Win32NamedMutexes mutexes_;
    Win32ProcessPriority priority_;
    Win32SystemTimes systemTimes_;
    Win32InputDevices input_;
    SystemPowerCalls powerCalls_;
    Win32PowerControl power_{powerCalls_};
    Win32Accounts accounts_;
    Win32OsVersion osVersion_;
    SystemWakeRequestCalls wakeRequestCalls_;
    Win32WakeRequests wakeRequests_{wakeRequestCalls_};
    SystemAudioSessionCalls audioCalls_;
    Win32SoundSessions sound_{audioCalls_};
    SystemSessionCalls sessionCalls_;
    Win32OtherSessions otherSessions_{sessionCalls_};
    SystemInterfaceTableCalls interfaceTable_;
    Win32NetworkTransfers transfers_{interfaceTable_};
    SignSources signSources_{&wakeRequests_, &sound_, &otherSessions_, &transfers_};
    NoDesktopNotices notices_;
    SystemEventLogCalls eventLogCalls_;
    EventLogSystemLog systemLog_{eventLogCalls_};
    Win32StatusRequests statusRequests_;
};

} // namespace dorvex

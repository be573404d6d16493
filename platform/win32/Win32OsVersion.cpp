#include "platform/win32/Win32OsVersion.h"

#include <windows.h>

namespace dorvex {

OsVersionNumbers Win32OsVersion::numbers() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) {
        return {};
    }
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

} // namespace dorvex

#include "platform/win32/Win32OsVersion.h"

#include <windows.h>

namespace dorvex {

OsVersionNumbers Win32OsVersion::numbers() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    // Deprecated for its answer to programs without a manifest, which is the answer wanted here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&info)) {
        return {};
    }
#pragma GCC diagnostic pop
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

} // namespace dorvex

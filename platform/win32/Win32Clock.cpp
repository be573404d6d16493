#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace dorvex {

LocalDateTime Win32Clock::now() const {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

std::uint32_t Win32Clock::tickCount() const {
    return ::GetTickCount();
}

// In the system's ANSI code page, like the program's files.
std::string Win32Clock::abbreviatedMonthName(int month) const {
    char name[80] = {};
    const int length = ::GetLocaleInfoA(LOCALE_USER_DEFAULT,
                                        static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + month - 1),
                                        name, sizeof name);
    return length > 1 ? std::string(name, static_cast<std::size_t>(length - 1)) : std::string();
}

} // namespace dorvex

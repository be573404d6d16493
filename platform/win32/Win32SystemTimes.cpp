#include "platform/win32/Win32SystemTimes.h"

#include <windows.h>

namespace dorvex {

namespace {

std::int64_t hundredNanoseconds(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}

} // namespace

bool Win32SystemTimes::read(SystemTimes& times) {
    FILETIME idle{}, kernel{}, user{};
    if (!::GetSystemTimes(&idle, &kernel, &user)) {
        return false;
    }
    times = {hundredNanoseconds(idle), hundredNanoseconds(kernel), hundredNanoseconds(user)};
    return true;
}

} // namespace dorvex

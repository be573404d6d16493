#include "platform/win32/Win32ProcessPriority.h"

#include <windows.h>

namespace dorvex {

void Win32ProcessPriority::raiseThreadPriority() {
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
}

void Win32ProcessPriority::raiseProcessPriority() {
    ::SetPriorityClass(::GetCurrentProcess(), HIGH_PRIORITY_CLASS);
}

} // namespace dorvex

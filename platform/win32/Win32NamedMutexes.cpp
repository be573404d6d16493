#include "platform/win32/Win32NamedMutexes.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace dorvex {

// Kernel handles have 32 significant bits, also in 64-bit processes, so that they can be shared
// with 32-bit ones.
MutexCreation Win32NamedMutexes::create(std::string_view name) {
    const std::string text(name);
    const HANDLE handle = ::CreateMutexA(nullptr, TRUE, text.c_str());
    const DWORD error = ::GetLastError();
    // The system's answer when the name belongs to an event, a semaphore or another such object.
    if (handle == nullptr && error == ERROR_INVALID_HANDLE) {
        throw MutexError("the name " + text + " belongs to an object that is no mutex");
    }
    const bool alreadyExists = error == ERROR_ALREADY_EXISTS;
    return {static_cast<KernelHandle>(reinterpret_cast<std::uintptr_t>(handle)), alreadyExists};
}

void Win32NamedMutexes::close(KernelHandle handle) {
    ::CloseHandle(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(handle)));
}

} // namespace dorvex

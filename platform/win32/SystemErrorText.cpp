#include "platform/win32/SystemErrorText.h"

#include <windows.h>

namespace dorvex {

std::string systemErrorText(std::uint32_t number, const char* module) {
    char text[255];
    const HMODULE library = module != nullptr ? ::GetModuleHandleA(module) : nullptr;
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                        (library != nullptr ? FORMAT_MESSAGE_FROM_HMODULE : 0);
    const DWORD length = ::FormatMessageA(flags, library, number, 0, text, sizeof text, nullptr);
    return std::string(text, length);
}

} // namespace dorvex

#include "platform/win32/Utf8Text.h"

#include <windows.h>

namespace dorvex {

std::string utf8(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int bytes =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, converted.data(), bytes, nullptr, nullptr);
    return converted;
}

// UTF-16 takes no more units than UTF-8 takes bytes.
std::wstring utf16(std::string_view text) {
    std::wstring wide(text.size(), L'\0');
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                             wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return wide;
}

} // namespace dorvex

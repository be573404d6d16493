#include "platform/win32/Win32WakeRequests.h"

#include <charconv>
#include <utility>

namespace dorvex {

// A request holds for as long as it stands: the quiet time does not matter.
void Win32WakeRequests::addSigns(std::chrono::seconds, std::vector<std::string>& signs) {
    ULONG state = 0;
    if (const LONG status = calls_.systemExecutionState(state); status != 0) {
        if (!std::exchange(told_, true)) {
            char hex[8];
            const auto end = std::to_chars(hex, hex + sizeof hex, static_cast<ULONG>(status), 16);
            diagnostics_ << "Dorvex Zede cannot learn whether a program keeps the machine awake "
                            "(status 0x"
                         << std::string_view(hex, end.ptr) << "): none counts as use\n";
        }
        return;
    }
    if ((state & (ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED)) != 0) {
        signs.emplace_back("a program keeps the machine awake");
    }
}

} // namespace dorvex

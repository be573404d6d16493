#include "platform/win32/NetworkInterfaceTable.h"

#include "platform/win32/Win32NetworkTransfers.h"

#include <cstdio>
#include <utility>

namespace dorvex {

void Win32NetworkTransfers::addSignsAt(Clock::time_point now, std::vector<std::string>& signs) {
    MIB_IF_TABLE2* table = nullptr;
    if (calls_.getIfTable2(table) != NO_ERROR) {
        if (!std::exchange(told_, true)) {
            diagnostics_ << TransferRate::unreadableNotice;
        }
        return;
    }
    rate_.beginRead();
    for (ULONG at = 0; at < table->NumEntries; ++at) {
        const MIB_IF_ROW2& row = table->Table[at];
        if (row.Type == IF_TYPE_SOFTWARE_LOOPBACK ||
            row.InterfaceAndOperStatusFlags.FilterInterface) {
            continue;
        }
        // The interface's identity for as long as the system runs; its alias may be renamed.
        char key[17];
        std::snprintf(key, sizeof key, "%016llx",
                      static_cast<unsigned long long>(row.InterfaceLuid.Value));
        rate_.count(key, row.InOctets, row.OutOctets);
    }
    calls_.freeMibTable(table);
    rate_.endRead(now, signs);
}

} // namespace dorvex

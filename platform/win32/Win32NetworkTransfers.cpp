#include "platform/win32/NetworkInterfaceTable.h"

#include "platform/win32/Win32NetworkTransfers.h"

#include <cstdio>
#include <utility>

namespace dorvex {

void Win32NetworkTransfers::addSignsAt(Clock::time_point now, std::vector<std::string>& signs) {
    rate_.beginRead();
    if (listed_ && now - listedAt_ < listAgain) {
        readCounted();
    } else if (!readList(now)) {
        if (!std::exchange(told_, true)) {
            diagnostics_ << TransferRate::unreadableNotice;
        }
        return;
    }
    rate_.endRead(now, signs);
}

bool Win32NetworkTransfers::readList(Clock::time_point now) {
    MIB_IF_TABLE2* table = nullptr;
    if (calls_.getIfTable2(table) != NO_ERROR) {
        return false;
    }
    counted_.clear();
    for (ULONG at = 0; at < table->NumEntries; ++at) {
        const MIB_IF_ROW2& row = table->Table[at];
        if (row.Type != IF_TYPE_SOFTWARE_LOOPBACK &&
            !row.InterfaceAndOperStatusFlags.FilterInterface) {
            counted_.push_back(row.InterfaceLuid.Value);
            count(row);
        }
    }
    calls_.freeMibTable(table);
    listed_ = true;
    listedAt_ = now;
    return true;
}

void Win32NetworkTransfers::readCounted() {
    for (const std::uint64_t luid : counted_) {
        MIB_IF_ROW2 row{};
        row.InterfaceLuid.Value = luid;
        if (calls_.getIfEntry2(row) == NO_ERROR) {
            count(row);
        } else {
            // Gone (a USB adapter pulled out): the list is taken again at the next read.
            listed_ = false;
        }
    }
}

void Win32NetworkTransfers::count(const MIB_IF_ROW2& row) {
    // The interface's identity for as long as the system runs; its alias may be renamed.
    char key[17];
    std::snprintf(key, sizeof key, "%016llx",
                  static_cast<unsigned long long>(row.InterfaceLuid.Value));
    rate_.count(key, row.InOctets, row.OutOctets);
}

} // namespace dorvex

#include "platform/win32/NetworkInterfaceTable.h"

#include "platform/win32/InterfaceTableCalls.h"

namespace dorvex {

DWORD SystemInterfaceTableCalls::getIfTable2(_MIB_IF_TABLE2*& table) {
    return GetIfTable2(&table);
}

void SystemInterfaceTableCalls::freeMibTable(_MIB_IF_TABLE2* table) {
    FreeMibTable(table);
}

DWORD SystemInterfaceTableCalls::getIfEntry2(_MIB_IF_ROW2& row) {
    return GetIfEntry2(&row);
}

} // namespace dorvex

#pragma once

#include <windows.h>

// Declared only, so that any file may include this one (see NetworkInterfaceTable.h).
struct _MIB_IF_TABLE2;
struct _MIB_IF_ROW2;

namespace dorvex {

// The calls that read the network interfaces' counters, so that tests can answer as Windows would.
class InterfaceTableCalls {
public:
    virtual ~InterfaceTableCalls() = default;
    // NO_ERROR and the table, to be freed, or the error.
    virtual DWORD getIfTable2(_MIB_IF_TABLE2*& table) = 0;
    virtual void freeMibTable(_MIB_IF_TABLE2* table) = 0;
    // NO_ERROR and the row of the interface whose LUID it holds, or the error.
    virtual DWORD getIfEntry2(_MIB_IF_ROW2& row) = 0;
};

class SystemInterfaceTableCalls : public InterfaceTableCalls {
public:
    DWORD getIfTable2(_MIB_IF_TABLE2*& table) override;
    void freeMibTable(_MIB_IF_TABLE2* table) override;
    DWORD getIfEntry2(_MIB_IF_ROW2& row) override;
};

} // namespace dorvex

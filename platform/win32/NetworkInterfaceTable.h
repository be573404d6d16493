#pragma once

// The network interfaces' table, for the files that read it; first among their includes, because
// winsock2.h must come before windows.h. In this order: each needs those before. The table's
// calls are in netioapi.h, which iphlpapi.h includes only when told a version of Windows, and
// which declares them only after ws2ipdef.h.
#include <winsock2.h>

#include <ws2ipdef.h>

#include <iphlpapi.h>

#include <netioapi.h>

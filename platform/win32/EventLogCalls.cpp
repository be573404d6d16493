#include "platform/win32/EventLogCalls.h"

namespace dorvex {

HANDLE SystemEventLogCalls::registerEventSource(const wchar_t* source) {
    return ::RegisterEventSourceW(nullptr, source);
}

BOOL SystemEventLogCalls::reportEvent(HANDLE source, WORD type, DWORD id,
                                      const std::vector<const wchar_t*>& strings) {
    // The strings are only read, whatever the declaration says.
    auto** const texts = const_cast<const wchar_t**>(strings.data());
    return ::ReportEventW(source, type, 0, id, nullptr, static_cast<WORD>(strings.size()), 0, texts,
                          nullptr);
}

void SystemEventLogCalls::deregisterEventSource(HANDLE source) {
    ::DeregisterEventSource(source);
}

} // namespace dorvex

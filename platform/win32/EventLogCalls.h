#pragma once

#include <windows.h>

#include <vector>

namespace dorvex {

// The event log's calls, one function each, so that tests can record what would be reported.
class EventLogCalls {
public:
    virtual ~EventLogCalls() = default;
    // RegisterEventSourceW on this machine; null when the log cannot be reached.
    virtual HANDLE registerEventSource(const wchar_t* source) = 0;
    // ReportEventW without a category, user or binary data.
    virtual BOOL reportEvent(HANDLE source, WORD type, DWORD id,
                             const std::vector<const wchar_t*>& strings) = 0;
    virtual void deregisterEventSource(HANDLE source) = 0;
};

// The real calls.
class SystemEventLogCalls : public EventLogCalls {
public:
    HANDLE registerEventSource(const wchar_t* source) override;
    BOOL reportEvent(HANDLE source, WORD type, DWORD id,
                     const std::vector<const wchar_t*>& strings) override;
    void deregisterEventSource(HANDLE source) override;
};

} // namespace dorvex

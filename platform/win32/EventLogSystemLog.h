#pragma once

#include "platform/SystemLog.h"
#include "platform/win32/EventLogCalls.h"

namespace dorvex {

// The activity log's entries in the Application event log, from the source "Dorvex Zede", each
// kind with the event id of the program's message table. The source is registered at the first
// entry and kept; where that fails, as for a user who may not read the log, the entries go
// nowhere for the rest of the run.
class EventLogSystemLog final : public SystemLog {
public:
    explicit EventLogSystemLog(EventLogCalls& calls) : calls_(calls) {}
    ~EventLogSystemLog() override;
    EventLogSystemLog(const EventLogSystemLog&) = delete;
    EventLogSystemLog& operator=(const EventLogSystemLog&) = delete;

    void record(const SystemLogEntry& entry) override;

    static constexpr const wchar_t* sourceName = L"Dorvex Zede";

private:
    EventLogCalls& calls_;
    HANDLE source_ = nullptr;
    bool registrationTried_ = false;
};

} // namespace dorvex

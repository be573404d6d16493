#include "platform/win32/EventLogSystemLog.h"

#include "platform/win32/Utf8Text.h"

#include "EventMessages.h"

#include <array>
#include <string>

namespace dorvex {

namespace {

struct EventOfKind {
    DWORD id;
    WORD type;
};

// The journal's notice level is the event log's warning.
EventOfKind eventOf(LogEventKind kind) {
    switch (kind) {
    case LogEventKind::Start:
        return {DORVEX_EVENT_START, EVENTLOG_INFORMATION_TYPE};
    case LogEventKind::Monitoring:
        return {DORVEX_EVENT_MONITORING, EVENTLOG_INFORMATION_TYPE};
    case LogEventKind::Test:
        return {DORVEX_EVENT_TEST, EVENTLOG_INFORMATION_TYPE};
    case LogEventKind::Countdown:
        return {DORVEX_EVENT_COUNTDOWN, EVENTLOG_INFORMATION_TYPE};
    case LogEventKind::PowerOff:
        return {DORVEX_EVENT_POWER_OFF, EVENTLOG_WARNING_TYPE};
    case LogEventKind::Simulation:
        return {DORVEX_EVENT_SIMULATION, EVENTLOG_INFORMATION_TYPE};
    case LogEventKind::HibernationResume:
        return {DORVEX_EVENT_HIBERNATION_RESUME, EVENTLOG_WARNING_TYPE};
    case LogEventKind::Reset:
        return {DORVEX_EVENT_RESET, EVENTLOG_INFORMATION_TYPE};
    case LogEventKind::Exit:
        break;
    }
    return {DORVEX_EVENT_EXIT, EVENTLOG_INFORMATION_TYPE};
}

} // namespace

EventLogSystemLog::~EventLogSystemLog() {
    if (source_ != nullptr) {
        calls_.deregisterEventSource(source_);
    }
}

void EventLogSystemLog::record(const SystemLogEntry& entry) {
    if (!registrationTried_) {
        registrationTried_ = true;
        source_ = calls_.registerEventSource(sourceName);
    }
    if (source_ == nullptr) {
        return;
    }
    const std::array<std::wstring, 4> texts{utf16(entry.message), utf16(entry.event),
                                            utf16(entry.state), std::to_wstring(entry.count)};
    const EventOfKind event = eventOf(entry.kind);
    // A full or refusing log is no error of the program's.
    calls_.reportEvent(source_, event.type, event.id,
                       {texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str()});
}

} // namespace dorvex

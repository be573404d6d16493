#include "platform/win32/EventLogSystemLog.h"

#include "platform/win32/Utf8Text.h"

#include "EventMessages.h"

#include <array>
#include <string>

namespace dorvex {

namespace {

// In the order of the kinds.
constexpr std::array eventIds{DORVEX_EVENT_START,
                              DORVEX_EVENT_MONITORING,
                              DORVEX_EVENT_TEST,
                              DORVEX_EVENT_COUNTDOWN,
                              DORVEX_EVENT_POWER_OFF,
                              DORVEX_EVENT_SIMULATION,
                              DORVEX_EVENT_HIBERNATION_RESUME,
                              DORVEX_EVENT_RESET,
                              DORVEX_EVENT_EXIT};
static_assert(eventIds.size() == static_cast<std::size_t>(LogEventKind::Exit) + 1);

// The message table gives the warnings (the journal's notices) their severity.
WORD typeOf(DWORD id) {
    return id >> 30 == STATUS_SEVERITY_WARNING ? EVENTLOG_WARNING_TYPE : EVENTLOG_INFORMATION_TYPE;
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
    const DWORD id = eventIds.at(static_cast<std::size_t>(entry.kind));
    // A full or refusing log is no error of the program's.
    calls_.reportEvent(source_, typeOf(id), id,
                       {texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str()});
}

} // namespace dorvex

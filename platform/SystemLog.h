#pragma once

#include <cstdint>
#include <string_view>

namespace dorvex {

// The kinds of activity-log event that an administrator's tools tell apart: each has one fixed
// identity in the system's log (a journal MESSAGE_ID, an event log event id).
enum class LogEventKind {
    Start,             // the program starts: its file header, name block and "Start, Initialise"
    Monitoring,        // monitoring begins
    Test,              // the test mode begins or is reset
    Countdown,         // the countdown to a power off or hibernation begins
    PowerOff,          // the power off is asked for
    Simulation,        // a power off or hibernation that a test only shows
    HibernationResume, // the machine came back from hibernation
    Reset,             // the user reset monitoring or cancelled the countdown
    Exit,              // the program ends
};

// One activity-log entry as the system's log gets it.
struct SystemLogEntry {
    LogEventKind kind = LogEventKind::Start;
    std::string_view message; // the entry's text as the file has it, one line
    std::string_view event;   // the entry's event column ("Enter"), empty for a header
    std::string_view state;   // its state column ("Run")
    std::int16_t count = 0;   // its count column
};

// The system's own log (the journal, the Windows event log) as a second home of the activity
// log's entries, for administrators who collect it centrally.
class SystemLog {
public:
    virtual ~SystemLog() = default;
    // Sends the entry; a log that is not there, full or refusing costs nothing and is no error.
    virtual void record(const SystemLogEntry& entry) = 0;
};

} // namespace dorvex

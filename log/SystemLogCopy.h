#pragma once

#include "log/LogEntry.h"
#include "platform/SystemLog.h"

#include <string_view>

namespace dorvex {

// Sends an activity-log entry, as the file has it (`fileText`, without its final line break), to
// the system's log as one line of its kind. An empty entry says nothing and is not sent.
void copyToSystemLog(SystemLog& log, const LogEntryInput& input, std::string_view fileText);

} // namespace dorvex

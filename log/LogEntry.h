#pragma once

#include "platform/Clock.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dorvex {

// What one activity-log entry says, before it is written.
struct LogEntryInput {
    std::int16_t code = 1; // 0 file header, 1 event line, 2 empty entry, 3 name-version-date block
    std::string_view event;
    std::string_view state;
    bool testMode = false;
    std::int16_t count = 0;
    LocalDateTime now;
};

// The entry's text without its final line break; lines inside it are joined by CR LF.
std::string logEntryText(const LogEntryInput& input, const Clock& clock);

} // namespace dorvex

#pragma once

#include "platform/SystemLog.h"

namespace dorvex {

// For a system whose log the program does not write yet: the activity log's file alone keeps
// the entries there.
class NoSystemLog : public SystemLog {
public:
    void record(const SystemLogEntry& /*entry*/) override {}
};

} // namespace dorvex

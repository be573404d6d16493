#pragma once

#include "platform/SystemLog.h"

namespace dorvex {

// The systemd journal: each entry with the message id of its kind and the log's columns as
// fields of their own (DORVEX_EVENT, DORVEX_STATE, DORVEX_COUNT).
class JournalSystemLog final : public SystemLog {
public:
    void record(const SystemLogEntry& entry) override;
};

} // namespace dorvex

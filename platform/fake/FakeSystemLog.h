#pragma once

#include "platform/SystemLog.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace dorvex {

// Keeps a copy of every entry sent to the system's log.
class FakeSystemLog : public SystemLog {
public:
    struct Kept {
        LogEventKind kind;
        std::string message;
        std::string event;
        std::string state;
        std::int16_t count;

        bool operator==(const Kept&) const = default;
        friend std::ostream& operator<<(std::ostream& out, const Kept& kept) {
            return out << static_cast<int>(kept.kind) << " \"" << kept.message << "\" "
                       << kept.event << "/" << kept.state << " " << kept.count;
        }
    };

    void record(const SystemLogEntry& entry) override {
        entries.push_back({entry.kind, std::string(entry.message), std::string(entry.event),
                           std::string(entry.state), entry.count});
    }

    std::vector<Kept> entries;
};

} // namespace dorvex

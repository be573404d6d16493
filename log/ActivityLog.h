#pragma once

#include <cstdint>
#include <string_view>

namespace dorvex {

class Program;

// The append-only activity log, Log/DorvexL.log.
class ActivityLog {
public:
    explicit ActivityLog(Program& program) : program_(program) {}

    // Appends one entry (codes as in LogEntryInput); a log that cannot be written ends the
    // program.
    void Write_Log(std::int16_t code, std::string_view text1, std::string_view text2);

    static constexpr std::string_view path = "Log/DorvexL.log";

private:
    Program& program_;
};

} // namespace dorvex

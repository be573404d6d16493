#pragma once

#include <optional>
#include <string_view>

namespace dorvex {

class Program;

// The fixed shutdown time typed into the main window, applied at a reset.
class FixedTimeEntry {
public:
    explicit FixedTimeEntry(Program& program) : program_(program) {}

    // Stores and saves a valid "hh:mm"; otherwise says so and puts the saved time back. May run
    // the event loop: its message box, or a failed save's.
    void Update_StopTime();

    // The stored form 1hhmm of exactly "hh:mm" with hours 00-23 and minutes 00-59.
    static std::optional<float> parseTime(std::string_view text);

private:
    Program& program_;
};

} // namespace dorvex

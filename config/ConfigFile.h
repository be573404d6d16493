#pragma once

#include <string_view>

namespace dorvex {

class Program;

// Data/DorvexL.ini: read and validated at start-up, rewritten when the fixed time changes.
class ConfigFile {
public:
    explicit ConfigFile(Program& program) : program_(program) {}

    // Reads and validates the file and sets the settings and the fixed-time box; any problem
    // ends the program after its message, which runs the event loop.
    void Config_Read();
    // Writes the settings held in memory; a failure is reported and survived. The report runs
    // the event loop.
    void Config_Write();

    static constexpr std::string_view path = "Data/DorvexL.ini";

private:
    Program& program_;
};

} // namespace dorvex

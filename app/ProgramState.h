#pragma once

#include "config/Settings.h"
#include "monitor/RunState.h"

#include <cstdint>
#include <string>

namespace dorvex {

// Program-wide variables, read and written directly by the parts of the program that use them.
struct ProgramState {
    std::int16_t SwitchCode = 0; // command-line test switch, set once at start-up
    std::string LogDir;          // folder of the update check's files
    Settings settings;
    RunState run;
};

} // namespace dorvex

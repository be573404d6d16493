#pragma once

#include "config/Settings.h"
#include "monitor/RunState.h"
#include "monitor/SampleState.h"

#include <cstdint>
#include <string>

namespace dorvex {

// Program-wide variables, read and written directly by the parts of the program that use them.
struct ProgramState {
    std::int16_t SwitchCode = 0; // command-line test switch, set once at start-up
    std::string LogDir;          // folder of the update check's files
    Settings settings;
    RunState run;
    SampleState samples;
    bool SkipForeground = false; // a right click on the tray icon leaves the window where it is
    bool CentreWindow = false;   // the next Show_Window centres the window
    bool UpdateBusy = false;     // an update window is open
    bool UpdateManual = false;   // the user started the running update check
    std::int64_t UpdateDue = 0;  // when the next automatic update check is due, serial seconds
    std::string SiteRoot = "http://kemtora.example/"; // the vendor's web site, ending in "/"
};

} // namespace dorvex

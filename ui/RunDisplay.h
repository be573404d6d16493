#pragma once

#include <string>

namespace dorvex {

class Program;

// Brings the run state and the main window back to the start of a run, and starts it.
class RunDisplay {
public:
    explicit RunDisplay(Program& program) : program_(program) {}

    // Run state to its start values (start-up delay), the display blanked, the tick stopped.
    void Reset_Display();
    // Captions, tool tips and the start-up status; starts the tick and logs the start.
    void Start_Monitor();

    // The one-line summary of the rule in force.
    std::string titleText() const;
    // The fixed time in force, "hh:mm".
    std::string fixedTimeText() const;

private:
    void applySwitchTimings();
    void resetReadings();
    void applyAdministratorRights();

    Program& program_;
};

} // namespace dorvex

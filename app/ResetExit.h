#pragma once

#include <string>

namespace dorvex {

class Program;

// Bringing the program back to the start of a run, and ending it.
class ResetExit {
public:
    explicit ResetExit(Program& program) : program_(program) {}

    // The Reset button, and the tray's Reset and Cancel items; cancels a countdown.
    void Reset_Click();
    // Back to the start-up delay from any mode; applies a newly typed fixed time.
    void Reset_Monitor();
    // The about box is opening.
    void Disable_Buttons();
    // Test mode is being entered.
    void Disable_Buttons1();
    // The Exit button and the tray's Close item.
    void Exit_Click();
    // The main window's unload handler.
    void Form_Unload();
    // Unloads the main window, which ends the program.
    [[noreturn]] void unloadMainWindow();

    // "Initialise", "Run", or the shutdown type during the countdown.
    std::string runStateText() const;

private:
    Program& program_;
};

} // namespace dorvex

#pragma once

namespace dorvex {

class Program;

// The countdown on screen before the computer is powered off or hibernated, and test mode,
// which runs monitoring with short limits and ends in a message instead.
class ShutdownCountdown {
public:
    explicit ShutdownCountdown(Program& program) : program_(program) {}

    // One second of the countdown; called by the tick in mode 2.
    void Shutdown_Countdown();
    // Starts test mode, or starts it again.
    void TestS_Click();

private:
    void showCountdown();
    void lockCommands();
    void actionsAtZero();
    void testStep();

    Program& program_;
};

} // namespace dorvex

#pragma once

#include "shutdown/ShutdownError.h"

#include <optional>
#include <string>

namespace dorvex {

class Program;

// The countdown on screen before the computer is powered off or hibernated, and test mode,
// which runs monitoring with short limits and ends in a message instead.
class ShutdownCountdown {
public:
    explicit ShutdownCountdown(Program& program) : program_(program) {}

    // One second of the countdown; called by the tick in mode 2. May run the event loop (a
    // message, the hibernation); stepWaiting() tells the handlers that run meanwhile.
    void Shutdown_Countdown();
    // True while a step waits in its test or simulate message or in the hibernation: the step
    // must not run again meanwhile, and nothing else may move the run under it.
    bool stepWaiting() const { return stepRunning_; }
    // Starts test mode, or starts it again.
    void TestS_Click();

private:
    void step();
    // "The Computer Will Power Off In 60s", with the seconds left.
    std::string countdownText() const;
    void showCountdown();
    void lockCommands();
    // Both may run the event loop: the simulate or test message, the hibernation.
    void actionsAtZero();
    void testStep();

    Program& program_;
    bool stepRunning_ = false;
    // A hibernation the system refused; reported once the step is over, so that monitoring goes
    // on while the report is open.
    std::optional<ShutdownError> refusedHibernation_;
};

} // namespace dorvex

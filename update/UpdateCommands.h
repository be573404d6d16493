#pragma once

#include <cstdint>

namespace dorvex {

class Program;

// Keeps the update commands (the Update button and the tray's Update item) in step with the
// update check: one check at a time, none during a countdown; and starts the daily check.
class UpdateCommands {
public:
    explicit UpdateCommands(Program& program) : program_(program) {}

    // The user's check, from the Update button or the tray's Update item.
    void Update_Click();
    // Once a tick outside the countdown: starts the automatic check, hidden, when it is due.
    void Check_Update_Time();
    // True closes an open update window and blocks the update commands; false lifts the block
    // unless a check is running.
    void Disable_Update(bool block);
    // The update window has closed.
    void Enable_Update();

private:
    void setEnabled(bool enabled);
    bool automaticChecksAllowed() const;
    std::int64_t now() const;

    Program& program_;
};

} // namespace dorvex

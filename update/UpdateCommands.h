#pragma once

namespace dorvex {

class Program;

// Keeps the update commands (the Update button and the tray's Update item) in step with the
// update check: one check at a time, none during a countdown.
class UpdateCommands {
public:
    explicit UpdateCommands(Program& program) : program_(program) {}

    // True blocks the update commands; false lifts the block unless a check is running.
    void Disable_Update(bool block);
    // The update window has closed.
    void Enable_Update();

private:
    void setEnabled(bool enabled);

    Program& program_;
};

} // namespace dorvex

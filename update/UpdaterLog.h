#pragma once

#include <string>

namespace dorvex {

class Program;

// Updater.log in the log folder: a record of each exchange with the update server, written only
// while the switch file LogOn.txt exists there.
class UpdaterLog {
public:
    explicit UpdaterLog(Program& program) : program_(program) {}

    // Creates Updater.log with its header unless it exists.
    void Init_UpdaterLog();
    // Appends the text and a line end, when logging is switched on.
    void Write_UpdaterLog(const std::string& text);

    bool switchedOn() const;

private:
    std::string path() const;
    // Ends the program after a message, which runs the event loop.
    [[noreturn]] void fatal(const std::string& title, const std::string& firstLine);

    Program& program_;
};

} // namespace dorvex

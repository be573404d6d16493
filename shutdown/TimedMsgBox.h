#pragma once

#include <cstdint>
#include <string>

namespace dorvex {

class Program;

// A modal message box that closes itself after a number of seconds.
class TimedMsgBox {
public:
    explicit TimedMsgBox(Program& program) : program_(program) {}

    // Style: the box's buttons plus icon (0 = OK only, 16 stop, 48 exclamation). Returns when
    // the user pressed OK, or after the seconds (5 for 0); always 0. Runs the event loop.
    std::int32_t Timed_MsgBox(const std::string& text, std::int32_t seconds, std::int32_t style,
                              const std::string& title);

    std::string TimedMsgTitle; // the title of the timed box that is open

private:
    Program& program_;
};

} // namespace dorvex

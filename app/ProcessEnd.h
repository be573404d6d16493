#pragma once

namespace dorvex {

// Thrown to end the process: it unwinds to the event dispatcher, which ends the process there.
struct ProcessEnd {
    int status = 0; // 0 for a normal end, 1 after a fatal message
};

} // namespace dorvex

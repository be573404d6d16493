#pragma once

#include <chrono>
#include <ostream>

namespace dorvex {

// "dorvexzede --status": asks the instance running in this logon session over the session bus,
// waiting `within` at most, and prints its report and a newline on `out`. Returns the exit
// status: 0, or 3 with one line on `err` when no instance answered (no bus, none running, no
// answer in time, or a refusal).
int queryStatus(std::ostream& out, std::ostream& err,
                std::chrono::microseconds within = std::chrono::seconds(5));

} // namespace dorvex

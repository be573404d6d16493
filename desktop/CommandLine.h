#pragma once

#include "platform/StatusRequests.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace dorvex {

// The argument text the program reads its switches from: the arguments joined by blanks.
std::string argumentText(int argc, char** argv);

// What "--help" prints.
std::string helpText();

// Answers the arguments that need no window: the help, the version, the status of the running
// instance through `askStatus` (its report and status 0, or one line and status 3 without one),
// and an unknown switch (so that a mistyped test switch never becomes a real run). Gives the exit
// status when it answered.
std::optional<int> answerWithoutRunning(int argc, char** argv, std::ostream& out, std::ostream& err,
                                        const std::function<StatusAnswer()>& askStatus);

} // namespace dorvex

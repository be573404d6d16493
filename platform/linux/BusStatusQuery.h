#pragma once

#include "platform/StatusRequests.h"

#include <chrono>

namespace dorvex {

// "dorvexzede --status": asks the instance running in this logon session over the session bus,
// waiting `within` at most. Without a report it says why: no bus, none running, no answer in
// time, or a refusal.
StatusAnswer askRunningInstance(std::chrono::microseconds within = std::chrono::seconds(5));

} // namespace dorvex

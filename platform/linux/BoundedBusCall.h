#pragma once

#include "platform/linux/BusMessage.h"

#include <chrono>

namespace dorvex {

// Sends the call and waits at most `within` for its answer, also while the bus has not let the
// connection in yet: sd_bus_call waits for that without a bound, for minutes on a bus whose
// daemon is stopped. The answer, an error's among them, or nothing when none came in time.
BusMessage answerWithin(sd_bus* bus, sd_bus_message* call, std::chrono::microseconds within);

// True when the session bus takes a connection but does not answer within `within`: a frozen
// daemon, or a socket that never speaks. A bus that is not there at all is no such bus.
bool sessionBusHangs(std::chrono::microseconds within);

} // namespace dorvex

#pragma once

#include "platform/WakeInhibitors.h"

#include <initializer_list>
#include <optional>
#include <string_view>
#include <systemd/sd-bus.h>

namespace dorvex {

// The first inhibitor in the login manager's answer to ListInhibitors that blocks one of `kinds`
// ("idle", "sleep", "shutdown") and that another process than this one holds.
std::optional<WakeInhibitor> blockingInhibitorIn(sd_bus_message* inhibitors,
                                                 std::initializer_list<std::string_view> kinds);

} // namespace dorvex

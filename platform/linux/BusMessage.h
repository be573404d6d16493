#pragma once

#include <memory>
#include <systemd/sd-bus.h>

namespace dorvex {

struct BusMessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
// An sd-bus message that this code holds a reference to.
using BusMessage = std::unique_ptr<sd_bus_message, BusMessageUnref>;

} // namespace dorvex

#include "platform/linux/MutterIdleInput.h"

#include <systemd/sd-bus.h>

namespace dorvex {

namespace {

constexpr std::uint64_t pollMs = 1000;
// A monitor that hangs must not hold up the tick for more than this.
constexpr std::uint64_t callTimeoutUs = 20'000;

} // namespace

MutterIdleInput::MutterIdleInput(std::ostream& diagnostics) : InputSincePoll(diagnostics) {
    if (sd_bus_open_user(&bus_) < 0) {
        bus_ = nullptr;
        return;
    }
    sd_bus_set_method_call_timeout(bus_, callTimeoutUs);
    previous_ = idleTime();
}

MutterIdleInput::~MutterIdleInput() {
    sd_bus_flush_close_unref(bus_);
}

std::optional<std::uint64_t> MutterIdleInput::idleTime() {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    std::uint64_t idle = 0;
    const bool answered =
        sd_bus_call_method(bus_, "org.gnome.Mutter.IdleMonitor",
                           "/org/gnome/Mutter/IdleMonitor/Core", "org.gnome.Mutter.IdleMonitor",
                           "GetIdletime", &error, &reply, "") >= 0 &&
        sd_bus_message_read(reply, "t", &idle) >= 0;
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    return answered ? std::optional(idle) : std::nullopt;
}

bool MutterIdleInput::inputSinceLastPoll() {
    const std::optional<std::uint64_t> idle = idleTime();
    if (!idle) {
        // A late answer counts as input; a monitor that has gone counts as in use from now on.
        if (sd_bus_is_open(bus_) <= 0) {
            cannotWatch("the connection to the session bus was lost");
        }
        return true;
    }
    const bool input = *idle < pollMs || (previous_ && *idle < *previous_);
    previous_ = idle;
    return input;
}

} // namespace dorvex

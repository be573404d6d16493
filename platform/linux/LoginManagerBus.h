#pragma once

#include "platform/WakeInhibitors.h"

#include <chrono>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <systemd/sd-bus.h>

namespace dorvex {

// One connection to the system bus, for calls to the login manager and its sleep signal.
class LoginManagerBus {
public:
    // Connects at once; failed() and failureText() tell whether and why not.
    LoginManagerBus();
    ~LoginManagerBus();
    LoginManagerBus(const LoginManagerBus&) = delete;
    LoginManagerBus& operator=(const LoginManagerBus&) = delete;

    bool failed() const { return !failureText_.empty(); }
    // The bus's text for the last failure.
    const std::string& failureText() const { return failureText_; }
    // The last failure was the bus refusing the caller.
    bool accessDenied() const { return accessDenied_; }

    // A method without arguments that answers a text (CanPowerOff, ...).
    std::optional<std::string> ask(const char* method);
    // A method whose one argument, interactive, is false (PowerOff, ...).
    bool request(const char* method);
    // The first block inhibitor of one of `kinds` that another process holds; none when there is
    // none or the login manager cannot tell. Leaves the last failure as it was.
    std::optional<WakeInhibitor> blockingInhibitor(std::initializer_list<std::string_view> kinds);

    // Listens to PrepareForSleep from now on.
    bool watchSleep();
    bool enteredSleep() const { return enteredSleep_; }
    bool resumed() const { return resumed_; }
    // Handles what has arrived, waiting for something until the deadline. False when the deadline
    // has passed or the connection failed.
    bool handleNext(std::chrono::steady_clock::time_point deadline);

private:
    // Keeps the bus's text for a failed call, or what failed and the system's text for `result`.
    void fail(int result, const sd_bus_error* error, const char* what);
    static int onPrepareForSleep(sd_bus_message* message, void* self, sd_bus_error* error);

    sd_bus* bus_ = nullptr;
    sd_bus_slot* sleepWatch_ = nullptr;
    std::string failureText_;
    bool accessDenied_ = false;
    bool enteredSleep_ = false;
    bool resumed_ = false;
};

} // namespace dorvex

#pragma once

#include "platform/ConnectRetry.h"
#include "platform/linux/ReadableWatches.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <systemd/sd-bus.h>

namespace dorvex {

// One bus, connected when first needed and again after it was lost, whose messages are handled
// as the event loop tells they arrived. A bus that cannot be reached is tried again later, as
// ConnectRetry says.
class BusConnection {
public:
    using Clock = ConnectRetry::Clock;

    // `arrived` is called after what arrived was handled, `closing` before the bus is closed
    // (its calls and matches are then to be dropped).
    BusConnection(ReadableWatches& watches, int (*open)(sd_bus**), std::function<void()> arrived,
                  std::function<void()> closing);
    // Closes without calling `closing`: its owner closes first while it can still take it.
    ~BusConnection();
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    sd_bus* bus() const { return bus_; }
    // When a closed bus is to be opened again.
    Clock::time_point openAgainAt() const { return retry_.at(); }
    // Opens the bus without waiting: calls queue until the bus has let the connection in. False,
    // and tried again later, when it could not be opened.
    bool open(Clock::time_point now);
    // Handles what has arrived, never waiting; sends what the socket did not take at once.
    void readArrived();
    // After the connection was lost or could not be set up: closed, and opened again later.
    void lose(Clock::time_point now);
    void close();

private:
    void closeBus();

    ReadableWatches& watches_;
    int (*open_)(sd_bus**);
    std::function<void()> arrived_;
    std::function<void()> closing_;
    sd_bus* bus_ = nullptr;
    int fd_ = -1; // the one watched: sd-bus forgets its own once a lost connection is read
    ConnectRetry retry_;
};

// The match rule for the signals of `interface` that `sender` sends from `path`.
std::string signalsOf(const std::string& sender, const std::string& path,
                      const std::string& interface);
// The match rule for `service` coming onto the bus and leaving it.
std::string ownerChanges(const std::string& service);
// Whether the NameOwnerChanged `signal` tells of a service that came onto the bus (true) or left
// it (false); none for a signal that cannot be read.
std::optional<bool> serviceCame(sd_bus_message* signal);

} // namespace dorvex

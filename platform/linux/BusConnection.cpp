#include "platform/linux/BusConnection.h"

#include <algorithm>

namespace dorvex {

BusConnection::BusConnection(ReadableWatches& watches, int (*open)(sd_bus**),
                             std::function<void()> arrived, std::function<void()> closing)
    : watches_(watches), open_(open), arrived_(std::move(arrived)), closing_(std::move(closing)) {}

BusConnection::~BusConnection() {
    closeBus();
}

bool BusConnection::open(Clock::time_point now) {
    if (open_(&bus_) < 0) {
        bus_ = nullptr;
        retry_.failed(now);
        return false;
    }
    fd_ = sd_bus_get_fd(bus_);
    if (fd_ < 0) {
        bus_ = sd_bus_close_unref(bus_);
        retry_.failed(now);
        return false;
    }
    watches_.watch(fd_, [this] { readArrived(); });
    return true;
}

void BusConnection::readArrived() {
    if (bus_ == nullptr) {
        return;
    }
    int result = 0;
    while ((result = sd_bus_process(bus_, nullptr)) > 0) {
    }
    arrived_();
    // A lost connection fails its calls before it ends.
    if (result < 0) {
        lose(Clock::now());
    } else if (sd_bus_is_ready(bus_) > 0) {
        retry_.reached();
    }
}

void BusConnection::lose(Clock::time_point now) {
    close();
    retry_.failed(now);
}

void BusConnection::close() {
    if (bus_ != nullptr) {
        closing_();
    }
    closeBus();
}

void BusConnection::closeBus() {
    if (bus_ == nullptr) {
        return;
    }
    watches_.unwatch(fd_);
    // Nothing left to send matters: no flush that a hung bus could hold up.
    bus_ = sd_bus_close_unref(bus_);
    fd_ = -1;
}

std::string signalsOf(const std::string& sender, const std::string& path,
                      const std::string& interface) {
    return "type='signal',sender='" + sender + "',path='" + path + "',interface='" + interface +
           "'";
}

std::string ownerChanges(const std::string& service) {
    return signalsOf("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus") +
           ",member='NameOwnerChanged',arg0='" + service + "'";
}

std::optional<bool> serviceCame(sd_bus_message* signal) {
    const char* name = nullptr;
    const char* before = nullptr;
    const char* after = nullptr;
    if (sd_bus_message_read(signal, "sss", &name, &before, &after) < 0) {
        return std::nullopt;
    }
    return *after != '\0';
}

} // namespace dorvex

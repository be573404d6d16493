#include "platform/linux/DbusDesktopNotices.h"

#include <poll.h>

namespace dorvex {

namespace {

constexpr const char* service = "org.freedesktop.Notifications";
constexpr const char* objectPath = "/org/freedesktop/Notifications";
constexpr std::uint8_t critical = 2;
constexpr std::int32_t neverExpires = 0;

} // namespace

DbusDesktopNotices::DbusDesktopNotices(std::string appName, ReadableWatches& watches,
                                       std::ostream& diagnostics)
    : appName_(std::move(appName)), watches_(watches), diagnostics_(diagnostics) {}

DbusDesktopNotices::~DbusDesktopNotices() {
    // A notice that never expires would outlive the program.
    withdraw();
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + lastAnswer;
    // What is still to come in or go out: the id of a notice withdrawn, or its withdrawal.
    const auto unsettled = [this] {
        const int events = bus_ != nullptr ? sd_bus_get_events(bus_) : -1;
        return events >= 0 && ((showing_ != nullptr && withdrawn_) || (events & POLLOUT) != 0);
    };
    for (auto now = Clock::now(); now < end && unsettled(); now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - now);
        if (sd_bus_wait(bus_, static_cast<std::uint64_t>(left.count())) < 0) {
            break;
        }
        readArrived();
    }
    closeBus();
}

void DbusDesktopNotices::show(const std::string& summary, const std::string& body) {
    // Also gives up a notice that a hung daemon has not answered within sd-bus's time.
    readArrived();
    if (showing_ != nullptr) {
        next_.emplace(summary, body);
        withdrawn_ = false;
        return;
    }
    if (bus_ == nullptr) {
        // Connecting does not wait: the notice queues until the bus has let the connection in.
        if (sd_bus_open_user(&bus_) < 0 || (fd_ = sd_bus_get_fd(bus_)) < 0) {
            bus_ = sd_bus_close_unref(bus_);
            cannotShow("there is no session bus");
            return;
        }
        watches_.watch(fd_, [this] { readArrived(); });
    }
    notify(summary, body, id_.value_or(0));
}

void DbusDesktopNotices::withdraw() {
    if (showing_ != nullptr) {
        withdrawn_ = true;
        next_.reset();
    } else if (id_) {
        // No answer wanted: a daemon that has no such notice any more says so, and nobody cares.
        sd_bus_call_method_async(bus_, nullptr, service, objectPath, service, "CloseNotification",
                                 nullptr, nullptr, "u", *id_);
        id_.reset();
    }
}

void DbusDesktopNotices::notify(const std::string& summary, const std::string& body,
                                std::uint32_t replaces) {
    // No actions; the urgency as the only hint.
    const int sent = sd_bus_call_method_async(
        bus_, &showing_, service, objectPath, service, "Notify", &onShown, this, "susssasa{sv}i",
        appName_.c_str(), replaces, "", summary.c_str(), body.c_str(), 0, 1, "urgency", "y",
        critical, neverExpires);
    if (sent < 0) {
        showing_ = nullptr;
        cannotShow("the session bus took no call");
    }
}

int DbusDesktopNotices::onShown(sd_bus_message* answer, void* self, sd_bus_error* /*error*/) {
    auto& notices = *static_cast<DbusDesktopNotices*>(self);
    notices.showing_ = sd_bus_slot_unref(notices.showing_);
    const bool withdrawn = std::exchange(notices.withdrawn_, false);
    const auto next = std::exchange(notices.next_, std::nullopt);
    std::uint32_t id = 0;
    if (sd_bus_message_is_method_error(answer, nullptr) != 0 ||
        sd_bus_message_read(answer, "u", &id) < 0) {
        const sd_bus_error* refusal = sd_bus_message_get_error(answer);
        notices.cannotShow(std::string("no notification daemon showed it (") +
                           (refusal != nullptr ? refusal->name : "an answer without an id") + ")");
        return 0;
    }
    notices.id_ = id;
    if (withdrawn) {
        notices.withdraw();
    } else if (next) {
        notices.notify(next->first, next->second, id);
    }
    return 0;
}

void DbusDesktopNotices::readArrived() {
    int handled = 0;
    while (bus_ != nullptr && (handled = sd_bus_process(bus_, nullptr)) > 0) {
    }
    if (handled < 0) {
        closeBus();
        cannotShow("the connection to the session bus was lost");
    }
}

void DbusDesktopNotices::closeBus() {
    if (bus_ == nullptr) {
        return;
    }
    showing_ = sd_bus_slot_unref(showing_);
    id_.reset();
    withdrawn_ = false;
    next_.reset();
    watches_.unwatch(fd_);
    // Nothing left to send matters now: no flush that a hung bus could hold up.
    bus_ = sd_bus_close_unref(bus_);
    fd_ = -1;
}

void DbusDesktopNotices::cannotShow(const std::string& reason) {
    if (!told_) {
        told_ = true;
        diagnostics_ << appName_ << " cannot show the countdown as a desktop notice: " << reason
                     << "; its window on top alone shows it\n";
    }
}

} // namespace dorvex

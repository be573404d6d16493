#include "platform/linux/LoginManagerBus.h"

#include "platform/linux/BusMessage.h"
#include "platform/linux/LogindInhibitors.h"

#include <cstring>

namespace dorvex {

namespace {

constexpr const char* service = "org.freedesktop.login1";
constexpr const char* objectPath = "/org/freedesktop/login1";
constexpr const char* manager = "org.freedesktop.login1.Manager";

// A bus error that frees itself.
struct BusError {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    ~BusError() { sd_bus_error_free(&error); }
};

} // namespace

LoginManagerBus::LoginManagerBus() {
    // Honours $DBUS_SYSTEM_BUS_ADDRESS.
    const int result = sd_bus_open_system(&bus_);
    if (result < 0) {
        bus_ = nullptr;
        fail(result, nullptr, "Cannot connect to the system bus");
    }
}

LoginManagerBus::~LoginManagerBus() {
    sd_bus_slot_unref(sleepWatch_);
    sd_bus_flush_close_unref(bus_);
}

void LoginManagerBus::fail(int result, const sd_bus_error* error, const char* what) {
    if (error != nullptr && sd_bus_error_is_set(error)) {
        failureText_ = error->message != nullptr ? error->message : error->name;
        accessDenied_ = sd_bus_error_has_names(error, SD_BUS_ERROR_ACCESS_DENIED,
                                               SD_BUS_ERROR_INTERACTIVE_AUTHORIZATION_REQUIRED);
        return;
    }
    failureText_ = std::string(what) + ": " + std::strerror(-result);
    accessDenied_ = result == -EACCES || result == -EPERM;
}

std::optional<std::string> LoginManagerBus::ask(const char* method) {
    BusError error;
    sd_bus_message* reply = nullptr;
    int result =
        sd_bus_call_method(bus_, service, objectPath, manager, method, &error.error, &reply, "");
    const BusMessage owned(reply);
    const char* answer = nullptr;
    if (result >= 0) {
        result = sd_bus_message_read(reply, "s", &answer);
    }
    if (result < 0) {
        fail(result, &error.error, method);
        return std::nullopt;
    }
    return std::string(answer);
}

bool LoginManagerBus::request(const char* method) {
    BusError error;
    const int result = sd_bus_call_method(bus_, service, objectPath, manager, method, &error.error,
                                          nullptr, "b", 0);
    if (result < 0) {
        fail(result, &error.error, method);
    }
    return result >= 0;
}

std::optional<WakeInhibitor>
LoginManagerBus::blockingInhibitor(std::initializer_list<std::string_view> kinds) {
    if (bus_ == nullptr) {
        return std::nullopt;
    }
    sd_bus_message* reply = nullptr;
    const int result = sd_bus_call_method(bus_, service, objectPath, manager, "ListInhibitors",
                                          nullptr, &reply, "");
    const BusMessage owned(reply);
    return result < 0 ? std::nullopt : blockingInhibitorIn(reply, kinds);
}

bool LoginManagerBus::watchSleep() {
    const int result = sd_bus_match_signal(bus_, &sleepWatch_, service, objectPath, manager,
                                           "PrepareForSleep", &onPrepareForSleep, this);
    if (result < 0) {
        fail(result, nullptr, "Cannot listen to PrepareForSleep");
    }
    return result >= 0;
}

int LoginManagerBus::onPrepareForSleep(sd_bus_message* message, void* self,
                                       sd_bus_error* /*error*/) {
    auto* bus = static_cast<LoginManagerBus*>(self);
    int sleeping = 0;
    if (sd_bus_message_read(message, "b", &sleeping) < 0) {
        return 0;
    }
    // A resume counts only after the sleep it ends.
    if (sleeping != 0) {
        bus->enteredSleep_ = true;
    } else if (bus->enteredSleep_) {
        bus->resumed_ = true;
    }
    return 0;
}

bool LoginManagerBus::handleNext(std::chrono::steady_clock::time_point deadline) {
    const int handled = sd_bus_process(bus_, nullptr);
    if (handled > 0) {
        return true;
    }
    const auto left = deadline - std::chrono::steady_clock::now();
    if (handled < 0 || left <= left.zero()) {
        return false;
    }
    const auto microseconds = std::chrono::duration_cast<std::chrono::microseconds>(left);
    return sd_bus_wait(bus_, static_cast<std::uint64_t>(microseconds.count())) >= 0;
}

} // namespace dorvex

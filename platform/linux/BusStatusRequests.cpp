#include "platform/linux/BusStatusRequests.h"

#include "platform/linux/StatusBusNames.h"

#include <unistd.h>

namespace dorvex {

namespace {

constexpr const char* busDriver = "org.freedesktop.DBus";

} // namespace

BusStatusRequests::BusStatusRequests(ReadableWatches& watches)
    : user_(geteuid()), connection_(
                            watches, &sd_bus_open_user, [] {}, [this] { dropRequests(); }) {}

BusStatusRequests::~BusStatusRequests() {
    connection_.close();
}

void BusStatusRequests::serve(std::function<std::string()> report) {
    report_ = std::move(report);
    static const sd_bus_vtable methods[] = {
        SD_BUS_VTABLE_START(0),
        // Every user may call it: the caller is checked here, without a blocking question.
        SD_BUS_METHOD(statusMethod, "", "s", &onStatus, SD_BUS_VTABLE_UNPRIVILEGED),
        SD_BUS_VTABLE_END,
    };
    if (!connection_.open(BusConnection::Clock::now())) {
        return;
    }
    sd_bus* bus = connection_.bus();
    // Without a queue: the name goes to the first instance or to none.
    if (sd_bus_add_object_vtable(bus, &object_, statusPath, statusInterface, methods, this) < 0 ||
        sd_bus_request_name_async(bus, &name_, statusService, 0, nullptr, nullptr) < 0) {
        connection_.close();
    }
}

void BusStatusRequests::dropRequests() {
    for (Request& request : requests_) {
        sd_bus_slot_unref(request.askingCaller);
    }
    requests_.clear();
    object_ = sd_bus_slot_unref(object_);
    name_ = sd_bus_slot_unref(name_);
}

int BusStatusRequests::onStatus(sd_bus_message* call, void* self, sd_bus_error* /*error*/) {
    auto& requests = *static_cast<BusStatusRequests*>(self);
    Request& request =
        requests.requests_.emplace_back(requests, BusMessage(sd_bus_message_ref(call)));
    request.self = std::prev(requests.requests_.end());
    const int asked =
        sd_bus_call_method_async(requests.connection_.bus(), &request.askingCaller, busDriver,
                                 "/org/freedesktop/DBus", busDriver, "GetConnectionUnixUser",
                                 &onCaller, &request, "s", sd_bus_message_get_sender(call));
    if (asked < 0) {
        requests.requests_.erase(request.self);
        return asked;
    }
    // Answered when the bus has told whose call it is.
    return 1;
}

int BusStatusRequests::onCaller(sd_bus_message* answer, void* pending, sd_bus_error* /*error*/) {
    auto& request = *static_cast<Request*>(pending);
    BusStatusRequests& requests = request.requests;
    std::uint32_t caller = 0;
    const bool known = sd_bus_message_is_method_error(answer, nullptr) == 0 &&
                       sd_bus_message_read(answer, "u", &caller) > 0;
    if (known && caller == requests.user_) {
        sd_bus_reply_method_return(request.call.get(), "s", requests.report_().c_str());
    } else {
        sd_bus_reply_method_errorf(request.call.get(), SD_BUS_ERROR_ACCESS_DENIED,
                                   "Only the user running it may ask for its status");
    }
    sd_bus_slot_unref(request.askingCaller);
    requests.requests_.erase(request.self);
    return 0;
}

} // namespace dorvex

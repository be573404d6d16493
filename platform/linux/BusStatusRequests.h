#pragma once

#include "platform/StatusRequests.h"
#include "platform/linux/BusConnection.h"
#include "platform/linux/BusMessage.h"

#include <list>
#include <sys/types.h>

namespace dorvex {

// Answers the Status method on the session bus under the program's own name, which only the
// first instance of the session gets (a second one started beside it keeps none). A request is
// answered once the bus has said whose it is, without waiting for that: only the program's own
// user gets the report, anybody else an AccessDenied error. Without a session bus nothing is
// served.
class BusStatusRequests : public StatusRequests {
public:
    explicit BusStatusRequests(ReadableWatches& watches);
    ~BusStatusRequests() override;
    BusStatusRequests(const BusStatusRequests&) = delete;
    BusStatusRequests& operator=(const BusStatusRequests&) = delete;

    void serve(std::function<std::string()> report) override;

private:
    // A request whose caller the bus has not named yet.
    struct Request {
        BusStatusRequests& requests;
        BusMessage call;
        sd_bus_slot* askingCaller = nullptr;
        std::list<Request>::iterator self;
    };

    void dropRequests();
    static int onStatus(sd_bus_message* call, void* self, sd_bus_error* error);
    static int onCaller(sd_bus_message* answer, void* request, sd_bus_error* error);

    std::function<std::string()> report_;
    const uid_t user_;
    BusConnection connection_;
    sd_bus_slot* object_ = nullptr;
    sd_bus_slot* name_ = nullptr;
    std::list<Request> requests_;
};

} // namespace dorvex

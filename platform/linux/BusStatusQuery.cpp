#include "platform/linux/BusStatusQuery.h"

#include "platform/linux/BoundedBusCall.h"
#include "platform/linux/StatusBusNames.h"

#include <string>
#include <utility>

namespace dorvex {

namespace {

// The report, or why there is none.
std::string askedStatus(sd_bus* bus, std::chrono::microseconds within, bool& answered) {
    sd_bus_message* made = nullptr;
    if (sd_bus_message_new_method_call(bus, &made, statusService, statusPath, statusInterface,
                                       statusMethod) < 0) {
        return "the session bus took no call";
    }
    const BusMessage call(made);
    // Asking must not start the program.
    sd_bus_message_set_auto_start(call.get(), 0);
    const BusMessage answer = answerWithin(bus, call.get(), within);
    if (!answer) {
        return "no answer in time";
    }
    if (const sd_bus_error* refusal = sd_bus_message_get_error(answer.get())) {
        return std::string(refusal->name) + ": " +
               (refusal->message != nullptr ? refusal->message : "");
    }
    const char* report = nullptr;
    if (sd_bus_message_read(answer.get(), "s", &report) < 0) {
        return "an answer without a report";
    }
    answered = true;
    return report;
}

} // namespace

StatusAnswer askRunningInstance(std::chrono::microseconds within) {
    sd_bus* bus = nullptr;
    bool answered = false;
    std::string said =
        sd_bus_open_user(&bus) < 0 ? "there is no session bus" : askedStatus(bus, within, answered);
    // Nothing left to send matters: no flush that a hung bus could hold up.
    sd_bus_close_unref(bus);
    if (!answered) {
        return {std::nullopt, std::move(said)};
    }
    return {std::move(said), {}};
}

} // namespace dorvex

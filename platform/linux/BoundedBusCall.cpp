#include "platform/linux/BoundedBusCall.h"

namespace dorvex {

namespace {

int keepAnswer(sd_bus_message* answer, void* kept, sd_bus_error* /*error*/) {
    *static_cast<BusMessage*>(kept) = BusMessage(sd_bus_message_ref(answer));
    return 0;
}

} // namespace

BusMessage answerWithin(sd_bus* bus, sd_bus_message* call, std::chrono::microseconds within) {
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + within;
    BusMessage answer;
    sd_bus_slot* pending = nullptr;
    // A call made before the connection is ready waits in the queue until it is. sd-bus's own
    // time-out, later than this wait's end, would answer with an error of its own making.
    if (sd_bus_call_async(bus, &pending, call, &keepAnswer, &answer, 0) < 0) {
        return nullptr;
    }
    for (auto left = within; !answer && left.count() > 0;
         left = std::chrono::duration_cast<std::chrono::microseconds>(end - Clock::now())) {
        int handled = 0;
        while (!answer && (handled = sd_bus_process(bus, nullptr)) > 0) {
        }
        if (handled < 0 ||
            (!answer && sd_bus_wait(bus, static_cast<std::uint64_t>(left.count())) < 0)) {
            break;
        }
    }
    sd_bus_slot_unref(pending);
    return answer;
}

bool sessionBusHangs(std::chrono::microseconds within) {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0) {
        return false;
    }
    sd_bus_message* made = nullptr;
    sd_bus_message_new_method_call(bus, &made, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                                   "org.freedesktop.DBus.Peer", "Ping");
    const BusMessage call(made);
    const bool hangs = call && !answerWithin(bus, call.get(), within);
    // Nothing left to send matters: no flush that the hung bus could hold up.
    sd_bus_close_unref(bus);
    return hangs;
}

} // namespace dorvex

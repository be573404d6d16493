#include "platform/linux/MutterIdleInput.h"

#include "platform/linux/BoundedBusCall.h"

namespace dorvex {

namespace {

// The question at start-up may wait for a monitor still starting with the session. A poll's
// question waits little: a monitor that does not answer within it counts as input, and its late
// answer is dropped.
constexpr std::chrono::milliseconds firstAnswer{250};
constexpr std::chrono::milliseconds pollAnswer{50};

constexpr const char* service = "org.gnome.Mutter.IdleMonitor";
constexpr const char* objectPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* monitor = "org.gnome.Mutter.IdleMonitor";

} // namespace

MutterIdleInput::MutterIdleInput(std::ostream& diagnostics) : InputSincePoll(diagnostics) {
    if (sd_bus_open_user(&bus_) < 0) {
        bus_ = nullptr;
        return;
    }
    answers_ = idleTime(firstAnswer) >= 0;
}

MutterIdleInput::~MutterIdleInput() {
    // Nothing left to send matters: no flush that a bus which never let the connection in could
    // hold up for minutes.
    sd_bus_close_unref(bus_);
}

std::int64_t MutterIdleInput::idleTime(std::chrono::microseconds within) {
    askedAt_ = Clock::now();
    sd_bus_message* made = nullptr;
    sd_bus_message_new_method_call(bus_, &made, service, objectPath, monitor, "GetIdletime");
    const BusMessage question(made);
    const BusMessage answer = question ? answerWithin(bus_, question.get(), within) : nullptr;
    std::uint64_t idleMs = 0;
    if (!answer || sd_bus_message_is_method_error(answer.get(), nullptr) != 0 ||
        sd_bus_message_read(answer.get(), "t", &idleMs) < 0) {
        return -1;
    }
    return static_cast<std::int64_t>(idleMs);
}

bool MutterIdleInput::inputSinceLastPoll() {
    const Clock::time_point previousQuestion = askedAt_;
    const std::int64_t idleMs = idleTime(pollAnswer);
    if (idleMs < 0 && sd_bus_is_open(bus_) <= 0) {
        cannotWatch("the connection to the session bus was lost");
        return false;
    }
    // Measured up to the answer, so that input while the monitor was being asked is not missed:
    // it counts at this poll and at the next, which is no harm.
    const auto sincePrevious =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - previousQuestion);
    return idleMs < 0 || idleMs < sincePrevious.count();
}

} // namespace dorvex

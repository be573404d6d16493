#include "platform/linux/MutterIdleInput.h"

#include "platform/linux/BoundedBusCall.h"

namespace dorvex {

namespace {

constexpr std::uint64_t pollMs = 1000;
// The question at start-up waits this long at most. The questions of the polls wait for nothing:
// their answers are read at the next poll; an answer late beyond the second limit is given up.
constexpr std::chrono::milliseconds firstAnswer{250};
constexpr std::uint64_t lateAnswerUs = 5'000'000;

constexpr const char* service = "org.gnome.Mutter.IdleMonitor";
constexpr const char* objectPath = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr const char* monitor = "org.gnome.Mutter.IdleMonitor";

// GetIdletime, to be sent; empty when it cannot be made.
BusMessage idleTimeQuestion(sd_bus* bus) {
    sd_bus_message* question = nullptr;
    sd_bus_message_new_method_call(bus, &question, service, objectPath, monitor, "GetIdletime");
    return BusMessage(question);
}

} // namespace

MutterIdleInput::MutterIdleInput(std::ostream& diagnostics) : InputSincePoll(diagnostics) {
    if (sd_bus_open_user(&bus_) < 0) {
        bus_ = nullptr;
        return;
    }
    const BusMessage question = idleTimeQuestion(bus_);
    std::uint64_t idleMs = 0;
    if (question) {
        const BusMessage answer = answerWithin(bus_, question.get(), firstAnswer);
        if (answer && sd_bus_message_is_method_error(answer.get(), nullptr) == 0 &&
            sd_bus_message_read(answer.get(), "t", &idleMs) >= 0) {
            previous_ = idleMs;
        }
    }
}

MutterIdleInput::~MutterIdleInput() {
    sd_bus_slot_unref(question_);
    // Nothing left to send matters: no flush that a bus which never let the connection in could
    // hold up for minutes.
    sd_bus_close_unref(bus_);
}

void MutterIdleInput::judge(std::uint64_t idleMs) {
    input_ = input_ || idleMs < pollMs || (previous_ && idleMs < *previous_);
    previous_ = idleMs;
    answered_ = true;
}

int MutterIdleInput::onAnswer(sd_bus_message* answer, void* self, sd_bus_error* /*error*/) {
    auto& input = *static_cast<MutterIdleInput*>(self);
    input.question_ = sd_bus_slot_unref(input.question_);
    std::uint64_t idleMs = 0;
    if (sd_bus_message_is_method_error(answer, nullptr) == 0 &&
        sd_bus_message_read(answer, "t", &idleMs) >= 0) {
        input.judge(idleMs);
    }
    return 0;
}

bool MutterIdleInput::inputSinceLastPoll() {
    // The answers that have arrived, without waiting for more.
    int handled = 0;
    while ((handled = sd_bus_process(bus_, nullptr)) > 0) {
    }
    if (handled < 0) {
        cannotWatch("the connection to the session bus was lost");
        return false;
    }
    // A monitor that has not answered since the previous poll counts as input.
    const bool input = !answered_ || input_;
    answered_ = input_ = false;
    if (question_ == nullptr) {
        if (const BusMessage question = idleTimeQuestion(bus_)) {
            sd_bus_call_async(bus_, &question_, question.get(), &onAnswer, this, lateAnswerUs);
        }
    }
    return input;
}

} // namespace dorvex

#include "platform/linux/PulseSoundStreams.h"

#include <algorithm>
#include <pulse/subscribe.h>
#include <utility>

namespace dorvex {

namespace {

void forget(pa_operation* operation) {
    if (operation != nullptr) {
        pa_operation_unref(operation);
    }
}

} // namespace

PulseSoundStreams::PulseSoundStreams(ReadableWatches& watches, std::ostream& diagnostics)
    : diagnostics_(diagnostics), loop_(watches) {}

PulseSoundStreams::~PulseSoundStreams() {
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
}

void PulseSoundStreams::addSigns(std::chrono::seconds /*quietLimit*/,
                                 std::vector<std::string>& signs) {
    const auto now = Clock::now();
    dropIfLost(now);
    if (context_ == nullptr && now >= retry_.at()) {
        connect(now);
    } else if (loop_.due(now)) {
        loop_.run();
    }
    // One line a program, however many streams it plays.
    const auto first = static_cast<std::ptrdiff_t>(signs.size());
    for (const auto& [index, program] : playing_) {
        std::string sign = program + " plays sound";
        if (std::find(signs.begin() + first, signs.end(), sign) == signs.end()) {
            signs.push_back(std::move(sign));
        }
    }
}

void PulseSoundStreams::connect(Clock::time_point now) {
    context_ = pa_context_new(loop_.api(), "Dorvex Zede");
    lost_ = context_ == nullptr;
    if (context_ != nullptr) {
        pa_context_set_state_callback(context_, &onState, this);
        // Starting a sound server is not this program's business.
        if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            lost_ = true;
        }
        loop_.run();
    }
    dropIfLost(now);
}

void PulseSoundStreams::dropIfLost(Clock::time_point now) {
    if (!lost_) {
        return;
    }
    lost_ = false;
    if (context_ != nullptr) {
        pa_context_disconnect(context_);
        pa_context_unref(context_);
        context_ = nullptr;
    }
    // What the server told of no longer holds once it is gone.
    playing_.clear();
    loop_.run();
    retry_.failed(now);
    if (!std::exchange(told_, true)) {
        diagnostics_ << "Dorvex Zede hears no sound server: sound playing does not count as use\n";
    }
}

void PulseSoundStreams::onState(pa_context* context, void* self) {
    auto& streams = *static_cast<PulseSoundStreams*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        streams.retry_.reached();
        // Subscribed before the list is asked for, so that no change after it is missed.
        pa_context_set_subscribe_callback(context, &onEvent, self);
        forget(pa_context_subscribe(context, PA_SUBSCRIPTION_MASK_SINK_INPUT, nullptr, nullptr));
        forget(pa_context_get_sink_input_info_list(context, &onStream, self));
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED:
        // Dropped at the next tick: libpulse is still using it.
        streams.lost_ = true;
        streams.playing_.clear();
        break;
    default:
        break;
    }
}

void PulseSoundStreams::onEvent(pa_context* context, pa_subscription_event_type_t event,
                                std::uint32_t index, void* self) {
    if ((event & PA_SUBSCRIPTION_EVENT_TYPE_MASK) == PA_SUBSCRIPTION_EVENT_REMOVE) {
        static_cast<PulseSoundStreams*>(self)->playing_.erase(index);
    } else {
        // A stream that ended before the question reached the server gets no answer but an error.
        forget(pa_context_get_sink_input_info(context, index, &onStream, self));
    }
}

void PulseSoundStreams::onStream(pa_context* /*context*/, const pa_sink_input_info* stream,
                                 int last, void* self) {
    if (last == 0 && stream != nullptr) {
        static_cast<PulseSoundStreams*>(self)->keep(*stream);
    }
}

void PulseSoundStreams::keep(const pa_sink_input_info& stream) {
    // A stream of the server's own (a loopback, a combined sink) is no program playing.
    if (stream.corked != 0 || stream.client == PA_INVALID_INDEX) {
        playing_.erase(stream.index);
        return;
    }
    const char* program = pa_proplist_gets(stream.proplist, PA_PROP_APPLICATION_NAME);
    playing_[stream.index] = program != nullptr       ? program
                             : stream.name != nullptr ? stream.name
                                                      : "A program";
}

} // namespace dorvex

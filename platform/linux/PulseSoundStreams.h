#pragma once

#include "platform/ConnectRetry.h"
#include "platform/SignsOfUse.h"
#include "platform/linux/PulseMainLoop.h"

#include <chrono>
#include <cstdint>
#include <iostream>
#include <map>
#include <pulse/context.h>
#include <pulse/introspect.h>
#include <string>
#include <vector>

namespace dorvex {

// Sound that programs play (music, a call) through the PulseAudio protocol, which PipeWire serves
// as well: every playback stream that is not paused, named by its program ("Firefox plays
// sound"). The server is listened to rather than asked: its streams are listed once on connecting,
// then each that starts, changes or ends is told of. No server, or one that went away, is no
// sign; it is looked for again later, never waiting.
class PulseSoundStreams : public SignSource {
public:
    explicit PulseSoundStreams(ReadableWatches& watches, std::ostream& diagnostics = std::cerr);
    ~PulseSoundStreams() override;
    PulseSoundStreams(const PulseSoundStreams&) = delete;
    PulseSoundStreams& operator=(const PulseSoundStreams&) = delete;

    SignKind kind() const override { return SignKind::Presence; }
    void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) override;

private:
    using Clock = ConnectRetry::Clock;

    void connect(Clock::time_point now);
    // Drops a connection that failed or ended, and tells of it the first time.
    void dropIfLost(Clock::time_point now);
    void keep(const pa_sink_input_info& stream);
    static void onState(pa_context* context, void* self);
    static void onEvent(pa_context* context, pa_subscription_event_type_t event,
                        std::uint32_t index, void* self);
    static void onStream(pa_context* context, const pa_sink_input_info* stream, int last,
                         void* self);

    std::ostream& diagnostics_;
    bool told_ = false; // that there is no server
    PulseMainLoop loop_;
    pa_context* context_ = nullptr;
    bool lost_ = false;
    ConnectRetry retry_;
    // The program playing each stream that plays now, by the stream's index.
    std::map<std::uint32_t, std::string> playing_;
};

} // namespace dorvex

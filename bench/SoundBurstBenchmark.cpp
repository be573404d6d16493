// A hundred streams starting to play at once and all stopping at once, as the sound source hears
// them through the event loop, against a PulseAudio server of its own. What counts is how long a
// tick can be held up: the longest readable callback and the longest call for the signs, reported
// as counters. The time is that of a whole cycle, the ticks' waits included.
#include "platform/linux/PulseSoundStreams.h"
#include "tests/linux/PolledWatches.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/linux/SoundServer.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <pulse/stream.h>
#include <sstream>
#include <utility>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration time) {
    return std::chrono::duration<double, std::milli>(time).count();
}

// The tests' event loop, noting the longest callback.
class TimedWatches : public dorvex::ReadableWatches {
public:
    void watch(int fd, std::function<void()> readable) override {
        polled_.watch(fd, [this, readable = std::move(readable)] {
            const auto start = Clock::now();
            readable();
            longest = std::max(longest, Clock::now() - start);
        });
    }
    void unwatch(int fd) override { polled_.unwatch(fd); }
    void dispatchFor(std::chrono::milliseconds time) { polled_.dispatchFor(time); }

    Clock::duration longest{};

private:
    dorvex::test::PolledWatches polled_;
};

// One program that starts `count` playback streams at once and stops them all at once, each
// under a program name of its own. One program: the server takes 64 connections at most.
class Player {
public:
    explicit Player(int count) : count_(count) {
        pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
        until([this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; });
    }
    ~Player() {
        stop();
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    void start() {
        const pa_sample_spec spec{PA_SAMPLE_S16LE, 44100, 2};
        for (int stream = 0; stream < count_; ++stream) {
            pa_proplist* names = pa_proplist_new();
            pa_proplist_sets(names, PA_PROP_APPLICATION_NAME,
                             ("Player" + std::to_string(stream)).c_str());
            streams_.push_back(
                pa_stream_new_with_proplist(context_, "burst", &spec, nullptr, names));
            pa_proplist_free(names);
            pa_stream_connect_playback(streams_.back(), nullptr, nullptr, PA_STREAM_NOFLAGS,
                                       nullptr, nullptr);
        }
        // Meanwhile the sound source's messages pile up: it reads them all in one burst.
        until([this] {
            return std::ranges::all_of(streams_, [](pa_stream* stream) {
                return pa_stream_get_state(stream) == PA_STREAM_READY;
            });
        });
    }
    void stop() {
        for (pa_stream* stream : streams_) {
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
        }
        streams_.clear();
        loop_.run();
    }

private:
    void until(const std::function<bool()>& done) {
        for (const auto end = Clock::now() + 10s; !done() && Clock::now() < end;) {
            loop_.run();
            watches_.dispatchFor(1ms);
        }
    }

    const int count_;
    dorvex::test::PolledWatches watches_;
    dorvex::PulseMainLoop loop_{watches_};
    pa_context* context_ = pa_context_new(loop_.api(), "Player");
    std::vector<pa_stream*> streams_;
};

void SoundBurst(benchmark::State& state) {
    dorvex::test::TempFolder folder;
    folder.write("cookie", std::string(256, '\0'));
    const dorvex::test::ScopedEnvironment server{"PULSE_SERVER",
                                                 "unix:" + (folder.path() / "native").string()};
    const dorvex::test::ScopedEnvironment cookie{"PULSE_COOKIE",
                                                 (folder.path() / "cookie").string()};
    const dorvex::test::SoundServer pulse(folder.path());
    const auto streams = static_cast<int>(state.range(0));
    Player player(streams);
    TimedWatches watches;
    std::ostringstream said;
    dorvex::PulseSoundStreams sound(watches, said);
    Clock::duration longestTick{};
    // Ticks more often than the program, to be there during the burst; true once `count` play.
    const auto ticksUntil = [&](int count) {
        std::vector<std::string> signs;
        for (const auto end = Clock::now() + 30s; Clock::now() < end;) {
            watches.dispatchFor(10ms);
            signs.clear();
            const auto start = Clock::now();
            sound.addSigns(60s, signs);
            longestTick = std::max(longestTick, Clock::now() - start);
            if (std::cmp_equal(signs.size(), count)) {
                return true;
            }
        }
        return false;
    };
    ticksUntil(0);
    for (auto _ : state) {
        player.start();
        if (!ticksUntil(streams)) {
            state.SkipWithError("not every stream was heard");
            break;
        }
        player.stop();
        if (!ticksUntil(0)) {
            state.SkipWithError("not every end was heard");
            break;
        }
    }
    state.counters["longest_callback_ms"] = milliseconds(watches.longest);
    state.counters["longest_tick_ms"] = milliseconds(longestTick);
}
BENCHMARK(SoundBurst)->Arg(100)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

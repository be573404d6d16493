#include "platform/linux/PulseSoundStreams.h"
#include "tests/linux/PolledWatches.h"
#include "tests/linux/ScopedEnvironment.h"
#include "tests/linux/SoundServer.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <pulse/stream.h>
#include <sstream>

namespace dorvex {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// A stream of this process's own on the same event loop, that starts paused: paplay cannot pause.
struct PausedStream {
    explicit PausedStream(test::PolledWatches& watches) : loop(watches), watches(watches) {
        pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr);
        until([this] { return pa_context_get_state(context) == PA_CONTEXT_READY; });
        pa_stream_connect_playback(stream, nullptr, nullptr, PA_STREAM_START_CORKED, nullptr,
                                   nullptr);
        until([this] { return pa_stream_get_state(stream) == PA_STREAM_READY; });
    }
    ~PausedStream() {
        pa_stream_unref(stream);
        pa_context_disconnect(context);
        pa_context_unref(context);
    }
    void play() {
        pa_operation_unref(pa_stream_cork(stream, 0, nullptr, nullptr));
        loop.run();
    }
    void until(const std::function<bool()>& done) {
        for (int tries = 0; tries < 100 && !done(); ++tries) {
            loop.run();
            watches.dispatchFor(100ms);
        }
    }

    PulseMainLoop loop;
    test::PolledWatches& watches;
    pa_context* context = pa_context_new(loop.api(), "Paused");
    const pa_sample_spec spec{PA_SAMPLE_S16LE, 44100, 2};
    pa_stream* stream = pa_stream_new(context, "paused", &spec, nullptr);
};

class SoundStreamsTest : public ::testing::Test {
protected:
    SoundStreamsTest() { folder.write("cookie", std::string(256, '\0')); }
    // The signs once they are `expected`, or after ten seconds, asked as the program asks: a call
    // each tick, with the event loop reading what arrives in between.
    Strings settled(const Strings& expected) {
        const auto end = std::chrono::steady_clock::now() + 10s;
        Strings signs;
        do {
            watches.dispatchFor(100ms);
            signs.clear();
            sound.addSigns(60s, signs);
        } while (signs != expected && std::chrono::steady_clock::now() < end);
        return signs;
    }
    // paplay playing raw samples from `file` as `program`.
    void play(const std::string& program, const std::string& file = "/dev/zero") {
        players.push_back(std::make_unique<test::ChildProcess>(
            std::vector<std::string>{"paplay", "--raw", "--client-name=" + program, file}));
    }

    test::TempFolder folder;
    test::ScopedEnvironment server{"PULSE_SERVER", "unix:" + (folder.path() / "native").string()};
    // Read from here rather than made in the home folder.
    test::ScopedEnvironment cookie{"PULSE_COOKIE", (folder.path() / "cookie").string()};
    std::optional<test::SoundServer> pulse;
    std::vector<std::unique_ptr<test::ChildProcess>> players;
    test::PolledWatches watches;
    std::ostringstream said;
    PulseSoundStreams sound{watches, said};
};

// No server is no sign, told once. Then streams that start, play, pause and end are told of as
// they happen, and a server that goes takes its streams along and is heard again once back.
TEST_F(SoundStreamsTest, EachProgramPlayingIsOneSignAsTheServerTellsAndNoServerIsNone) {
    for (const auto end = std::chrono::steady_clock::now() + 2500ms; // past the first retry
         std::chrono::steady_clock::now() < end;) {
        ASSERT_EQ(settled({}), Strings{});
    }
    const std::string told =
        "Dorvex Zede hears no sound server: sound playing does not count as use\n";
    EXPECT_EQ(said.str(), told);
    folder.write("second", std::string(3 * 44100 * 4, '\0')); // 16-bit stereo at 44.1 kHz
    pulse.emplace(folder.path());
    std::optional<PausedStream> paused(std::in_place, watches);
    const struct {
        std::function<void()> step;
        Strings signs;
    } steps[] = {
        // Told of after the paused stream, listed on connecting and left out.
        {[&] { play("Testplayer"); }, {"Testplayer plays sound"}},
        {[&] {
             play("Testplayer");
             play("Other");
         },
         {"Testplayer plays sound", "Other plays sound"}},
        {[&] { paused->play(); },
         {"Paused plays sound", "Testplayer plays sound", "Other plays sound"}},
        {[&] { players.clear(); }, {"Paused plays sound"}},
        {[&] { paused.reset(); }, {}},
        {[&] { play("Short", (folder.path() / "second").string()); }, {"Short plays sound"}},
        {[] {}, {}}, // ended by itself
        {[&] { play("Testplayer"); }, {"Testplayer plays sound"}},
        {[&] { pulse.reset(); }, {}},
        {[&] {
             players.clear();
             pulse.emplace(folder.path());
             play("Testplayer");
         },
         {"Testplayer plays sound"}},
    };
    for (const auto& s : steps) {
        s.step();
        EXPECT_EQ(settled(s.signs), s.signs) << &s - steps;
    }
    EXPECT_EQ(said.str(), told);
}

} // namespace
} // namespace dorvex

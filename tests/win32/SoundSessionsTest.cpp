#include "platform/win32/SystemAudioSessionCalls.h"
#include "platform/win32/Win32SoundSessions.h"

#include <gtest/gtest.h>

#include <audioclient.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <thread>

namespace dorvex {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// Answers as Windows would for a device whose sessions the test sets, recording the calls but the
// states. A session gone from the device is expired; one listed is held until released. The next
// call named `failing` fails. Process 4 plays the system sounds; 40 cannot be named.
class RecordingAudioCalls : public AudioSessionCalls {
public:
    struct Session {
        DWORD process;
        AudioSessionState state = AudioSessionStateActive;
    };
    std::map<AudioSession, Session> device;
    std::string failing;
    bool created = false, changed = false;
    Clock::time_point time;
    Strings calls;
    std::multiset<AudioSession> held;

    AudioCallResult openDevice() override { return call("openDevice"); }
    void closeDevice() override { call("closeDevice"); }
    AudioCallResult listSessions(std::vector<ListedAudioSession>& sessions) override {
        for (const auto& [key, session] : device) {
            sessions.push_back({key, session.process, session.process == 4});
            held.insert(key);
        }
        return call("listSessions");
    }
    HRESULT sessionState(AudioSession session, AudioSessionState& state) override {
        EXPECT_TRUE(held.contains(session)) << session << " asked once released";
        const auto found = device.find(session);
        state = found != device.end() ? found->second.state : AudioSessionStateExpired;
        return fails("GetState") ? AUDCLNT_E_DEVICE_INVALIDATED : S_OK;
    }
    void release(AudioSession session) override {
        ASSERT_TRUE(held.contains(session)) << session << " released twice";
        held.erase(held.find(session));
    }
    bool takeSessionCreated() override { return std::exchange(created, false); }
    bool takeDefaultDeviceChanged() override { return std::exchange(changed, false); }
    std::optional<std::string> programFileName(DWORD process) override {
        return process != 40 ? std::optional("p" + std::to_string(process) + ".exe") : std::nullopt;
    }
    DWORD currentProcessId() override { return 10; }
    Clock::time_point now() override { return time; }

private:
    bool fails(const char* name) { return failing == name && !std::exchange(failing, "").empty(); }
    AudioCallResult call(const char* name) {
        calls.push_back(name);
        return fails(name) ? AudioCallResult({name, E_FAIL}) : std::nullopt;
    }
};

// No device is no sign, told once and looked for again 2 s later. Then each program with an
// active session is one sign; this program's own (10) and the system sounds (4) are none. The list
// is taken again only when a session was created or the default device changed; a failing call
// drops the device until the next try.
TEST(Win32SoundSessions, EachProgramPlayingIsOneSignAsTheSessionManagerTells) {
    RecordingAudioCalls windows;
    using S = RecordingAudioCalls::Session;
    windows.device = {
        {1, S{10}}, {2, S{4}}, {3, S{20}}, {4, S{20}}, {5, S{30, AudioSessionStateInactive}},
        {6, S{40}}};
    windows.failing = "openDevice";
    std::ostringstream said;
    std::optional<Win32SoundSessions> sound(std::in_place, windows, said);
    const std::string p20 = "p20.exe plays sound", p30 = "p30.exe plays sound",
                      p50 = "p50.exe plays sound", unnamed = "A program plays sound";
    const Strings reached{"openDevice", "listSessions"};
    const struct {
        std::function<void()> change;
        Strings signs, calls;
    } steps[] = {
        {[] {}, {}, {"openDevice"}},
        {[&] { windows.time += 1s; }, {}, {}},
        {[&] { windows.time += 1s; }, {p20, unnamed}, reached},
        {[&] { windows.device[5].state = AudioSessionStateActive; }, {p20, p30, unnamed}, {}},
        {[&] { windows.device.erase(6); }, {p20, p30}, {}},
        // A session created but not told of.
        {[&] { windows.device[7] = S{50}; }, {p20, p30}, {}},
        {[&] { windows.created = true; }, {p20, p30, p50}, {"listSessions"}},
        {[&] { windows.changed = true; },
         {p20, p30, p50},
         {"closeDevice", "openDevice", "listSessions"}},
        {[&] { windows.failing = "GetState"; }, {}, {"closeDevice"}},
        {[&] { windows.time += 1s; }, {}, {}},
        {[&] { windows.time += 1s; }, {p20, p30, p50}, reached},
    };
    for (const auto& step : steps) {
        step.change();
        windows.calls.clear();
        Strings signs;
        sound->addSigns(0s, signs);
        EXPECT_EQ(signs, step.signs) << &step - steps;
        EXPECT_EQ(windows.calls, step.calls) << &step - steps;
        for (const AudioSession session : windows.held) {
            EXPECT_TRUE(session > 2 && windows.device.contains(session) &&
                        windows.held.count(session) == 1)
                << session << " held at step " << &step - steps;
        }
    }
    EXPECT_EQ(said.str(), "Dorvex Zede hears no sound device (openDevice gave 0x80004005): sound "
                          "playing does not count as use\n");
    sound.reset();
    EXPECT_EQ(windows.held, std::multiset<AudioSession>{});
}

// Wine 8 has a playback device only with a sound server, and then lists no sessions
// (GetSessionEnumerator: E_NOTIMPL): no sign either way, told once, and no waiting. That on a
// thread with COM in either mode or none: in a single-threaded apartment then, and with COM left
// as it was afterwards.
TEST(Win32SoundSessions, WineListsNoSessionsOnAThreadWithAnyCom) {
    const struct {
        std::optional<COINIT> before;
        HRESULT during, after; // of a multi-threaded start
    } cases[] = {{std::nullopt, RPC_E_CHANGED_MODE, S_OK},
                 {COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE, RPC_E_CHANGED_MODE},
                 {COINIT_MULTITHREADED, S_FALSE, S_FALSE}};
    for (const auto& c : cases) {
        std::thread([&c] {
            // How the thread's COM answers a multi-threaded start, left as it was.
            const auto threadedStart = [] {
                const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
                return SUCCEEDED(result) ? (CoUninitialize(), result) : result;
            };
            if (c.before) {
                CoInitializeEx(nullptr, *c.before);
            }
            std::optional<SystemAudioSessionCalls> calls(std::in_place);
            std::ostringstream said;
            std::optional<Win32SoundSessions> sound(std::in_place, *calls, said);
            Strings signs;
            const auto start = std::chrono::steady_clock::now();
            sound->addSigns(0s, signs);
            EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "Core Audio loaded, no wait";
            EXPECT_EQ(signs, Strings{});
            const std::string told = said.str();
            EXPECT_EQ(std::ranges::count(told, '\n'), 1) << told;
            EXPECT_TRUE(told.find("(GetDefaultAudioEndpoint gave 0x80070490)") != told.npos ||
                        told.find("(GetSessionEnumerator gave 0x80004001)") != told.npos)
                << told;
            EXPECT_EQ(calls->programFileName(GetCurrentProcessId()), "win32_tests.exe");
            EXPECT_EQ(calls->programFileName(0xFFFFFFF0), std::nullopt) << "no such process";
            EXPECT_EQ(threadedStart(), c.during) << c.after;
            sound.reset();
            calls.reset();
            EXPECT_EQ(threadedStart(), c.after);
            if (c.before) {
                CoUninitialize();
            }
        }).join();
    }
}

} // namespace
} // namespace dorvex

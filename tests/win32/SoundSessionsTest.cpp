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

// Answers as Windows would for a device whose sessions the test sets, and records every call but
// the state asked each tick. A session gone from the device is expired; one listed is held until
// released. The call named `failing` fails.
class RecordingAudioCalls : public AudioSessionCalls {
public:
    struct Session {
        DWORD process;
        AudioSessionState state = AudioSessionStateActive;
        bool systemSounds = false;
    };
    std::map<AudioSession, Session> device;
    std::map<DWORD, std::string> programs;
    std::string failing;
    bool created = false, changed = false;
    Clock::time_point time;
    Strings calls;
    std::multiset<AudioSession> held;

    AudioCallResult openDevice() override { return call("openDevice"); }
    void closeDevice() override { call("closeDevice"); }
    AudioCallResult listSessions(std::vector<ListedAudioSession>& sessions) override {
        for (const auto& [key, session] : device) {
            sessions.push_back({key, session.process, session.systemSounds});
            held.insert(key);
        }
        calls.push_back("listSessions");
        return {};
    }
    HRESULT sessionState(AudioSession session, AudioSessionState& state) override {
        EXPECT_TRUE(held.contains(session)) << session << " asked once released";
        const auto found = device.find(session);
        state = found != device.end() ? found->second.state : AudioSessionStateExpired;
        return failing == "GetState" ? AUDCLNT_E_DEVICE_INVALIDATED : S_OK;
    }
    void release(AudioSession session) override {
        const auto found = held.find(session);
        ASSERT_NE(found, held.end()) << session << " released twice";
        held.erase(found);
    }
    bool takeSessionCreated() override { return std::exchange(created, false); }
    bool takeDefaultDeviceChanged() override { return std::exchange(changed, false); }
    std::optional<std::string> programFileName(DWORD process) override {
        const auto found = programs.find(process);
        return found != programs.end() ? std::optional(found->second) : std::nullopt;
    }
    DWORD currentProcessId() override { return 10; }
    Clock::time_point now() override { return time; }

private:
    AudioCallResult call(const std::string& name) {
        calls.push_back(name);
        return name == failing ? AudioCallResult({failing.c_str(), E_FAIL}) : std::nullopt;
    }
};

// No device is no sign, told once and looked for again 2 s later. Then each program with an
// active session is one sign; this program's own and the system sounds are none. The list is
// taken again only when a session was created or the default device changed, and a failing call
// drops the device until the next try.
TEST(Win32SoundSessions, EachProgramPlayingIsOneSignAsTheSessionManagerTells) {
    RecordingAudioCalls windows;
    windows.failing = "openDevice";
    windows.programs = {{10, "dorvexzede.exe"},
                        {20, "firefox.exe"},
                        {30, "vlc.exe"},
                        {50, "mpv.exe"},
                        {60, "teams.exe"}};
    std::ostringstream said;
    std::optional<Win32SoundSessions> sound(std::in_place, windows, said);
    using S = RecordingAudioCalls::Session;
    const struct {
        std::function<void()> change;
        Strings signs, calls;
    } steps[] = {
        {[] {}, {}, {"openDevice"}},
        {[&] {
             windows.failing.clear();
             windows.time += 1s;
             windows.device = {{1, S{10}}, {2, S{4, AudioSessionStateActive, true}}, {3, S{20}},
                               {4, S{20}}, {5, S{30, AudioSessionStateInactive}},    {6, S{40}}};
         },
         {},
         {}},
        {[&] { windows.time += 1s; },
         {"firefox.exe plays sound", "A program plays sound"},
         {"openDevice", "listSessions"}},
        {[&] {
             windows.device[5].state = AudioSessionStateActive;
             windows.device.erase(6);
             windows.device[7] = S{50}; // not told of
         },
         {"firefox.exe plays sound", "vlc.exe plays sound"},
         {}},
        {[&] { windows.created = true; },
         {"firefox.exe plays sound", "vlc.exe plays sound", "mpv.exe plays sound"},
         {"listSessions"}},
        {[&] {
             windows.changed = true;
             windows.device = {{8, S{60}}};
         },
         {"teams.exe plays sound"},
         {"closeDevice", "openDevice", "listSessions"}},
        {[&] { windows.failing = "GetState"; }, {}, {"closeDevice"}},
        {[&] {
             windows.failing.clear();
             windows.time += 1s;
         },
         {},
         {}},
        {[&] { windows.time += 1s; }, {"teams.exe plays sound"}, {"openDevice", "listSessions"}},
    };
    for (const auto& step : steps) {
        step.change();
        windows.calls.clear();
        Strings signs;
        sound->addSigns(0s, signs);
        EXPECT_EQ(signs, step.signs) << &step - steps;
        EXPECT_EQ(windows.calls, step.calls) << &step - steps;
        for (const AudioSession session : windows.held) {
            EXPECT_TRUE(session > 2 && windows.device.contains(session)) << &step - steps;
        }
    }
    EXPECT_EQ(said.str(), "Dorvex Zede hears no sound device (openDevice gave 0x80004005): sound "
                          "playing does not count as use\n");
    sound.reset();
    EXPECT_EQ(windows.held, std::multiset<AudioSession>{});
    EXPECT_EQ(windows.calls.back(), "closeDevice");
}

// Wine 8 has a playback device only with a sound server, and then lists no sessions
// (GetSessionEnumerator: E_NOTIMPL): no sign either way, told once, and no tick waits.
TEST(Win32SoundSessions, WineWithoutSessionsToListIsNoSignToldOnce) {
    SystemAudioSessionCalls calls;
    std::ostringstream said;
    Win32SoundSessions sound(calls, said);
    Strings signs;
    sound.addSigns(0s, signs); // loads Core Audio
    const auto start = std::chrono::steady_clock::now();
    for (int tick = 0; tick < 100; ++tick) {
        sound.addSigns(0s, signs);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_EQ(signs, Strings{});
    const std::string told = said.str();
    EXPECT_TRUE(told == "Dorvex Zede hears no sound device (GetDefaultAudioEndpoint gave "
                        "0x80070490): sound playing does not count as use\n" ||
                told == "Dorvex Zede hears no sound device (GetSessionEnumerator gave "
                        "0x80004001): sound playing does not count as use\n")
        << told;
    EXPECT_EQ(calls.programFileName(GetCurrentProcessId()), "win32_tests.exe");
    EXPECT_EQ(calls.programFileName(0xFFFFFFF0), std::nullopt) << "no such process";
}

// How the thread's COM answers a multi-threaded start, left as it was.
HRESULT threadedStart() {
    const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(result)) {
        CoUninitialize();
    }
    return result;
}

// The calls work on a thread whatever COM it had, in a single-threaded apartment when it had
// none, and leave it as it was.
TEST(Win32SoundSessions, KeepsTheComOfTheThreadAsItWas) {
    const struct {
        std::optional<COINIT> before;
        HRESULT during, after;
    } cases[] = {{std::nullopt, RPC_E_CHANGED_MODE, S_OK},
                 {COINIT_APARTMENTTHREADED, RPC_E_CHANGED_MODE, RPC_E_CHANGED_MODE},
                 {COINIT_MULTITHREADED, S_FALSE, S_FALSE}};
    for (const auto& c : cases) {
        std::thread([&c] {
            if (c.before) {
                CoInitializeEx(nullptr, *c.before);
            }
            std::optional<SystemAudioSessionCalls> calls(std::in_place);
            const AudioCallResult failure = calls->openDevice();
            EXPECT_NE(failure ? std::string(failure->call) : "",
                      "CoCreateInstance(MMDeviceEnumerator)");
            EXPECT_EQ(threadedStart(), c.during) << c.after;
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

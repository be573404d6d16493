#pragma once

#include <windows.h>

#include <audiosessiontypes.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dorvex {

// One audio session's control, held from its listing until released.
using AudioSession = std::uintptr_t;

struct ListedAudioSession {
    AudioSession session;
    DWORD processId;
    bool systemSounds;
};

// A call that failed: its name and result.
struct AudioCallFailure {
    const char* call;
    HRESULT result;
};
using AudioCallResult = std::optional<AudioCallFailure>;

// What Core Audio's session manager is asked, in few enough steps that tests can answer as
// Windows would and see what is kept and released.
class AudioSessionCalls {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~AudioSessionCalls() = default;
    // The session manager of the default playback device, told of new sessions from then on.
    virtual AudioCallResult openDevice() = 0;
    virtual void closeDevice() = 0;
    // The sessions of the open device now, each to be released by the caller.
    virtual AudioCallResult listSessions(std::vector<ListedAudioSession>& sessions) = 0;
    virtual HRESULT sessionState(AudioSession session, AudioSessionState& state) = 0;
    virtual void release(AudioSession session) = 0;
    // Whether a session was created since last asked; told on another thread.
    virtual bool takeSessionCreated() = 0;
    // Whether the default playback device changed since last asked, device open or not.
    virtual bool takeDefaultDeviceChanged() = 0;
    // The file name of the process's executable, none when it cannot be read.
    virtual std::optional<std::string> programFileName(DWORD processId) = 0;
    virtual DWORD currentProcessId() = 0;
    virtual Clock::time_point now() = 0;
};

} // namespace dorvex

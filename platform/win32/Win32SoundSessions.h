#pragma once

#include "platform/ConnectRetry.h"
#include "platform/SignsOfUse.h"
#include "platform/win32/AudioSessionCalls.h"

#include <iostream>
#include <string>
#include <vector>

namespace dorvex {

// Sound that programs play through the default playback device: every active session but the
// system sounds' and this program's own, named by its program's executable ("firefox.exe plays
// sound"). The sessions are listed when the device is reached and again only when one was
// created; a tick asks each for its state. A new default device is reached at once; no device,
// or a failing call, is no sign and is looked for again later, never waiting.
class Win32SoundSessions : public SignSource {
public:
    explicit Win32SoundSessions(AudioSessionCalls& calls, std::ostream& diagnostics = std::cerr);
    ~Win32SoundSessions() override;
    Win32SoundSessions(const Win32SoundSessions&) = delete;
    Win32SoundSessions& operator=(const Win32SoundSessions&) = delete;

    SignKind kind() const override { return SignKind::Presence; }
    void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) override;

private:
    struct Kept {
        AudioSession session;
        std::string program;
    };

    AudioCallResult open();
    // Takes the sessions to watch, in place of those kept.
    AudioCallResult list();
    // The programs of the active sessions, one each; drops the expired ones.
    AudioCallResult playing(std::vector<std::string>& programs);
    // Drops the device and tells of it the first time.
    void fail(const AudioCallFailure& failure, ConnectRetry::Clock::time_point now);
    void close();
    void releaseKept();

    AudioSessionCalls& calls_;
    std::ostream& diagnostics_;
    bool told_ = false; // that there is no device
    bool open_ = false;
    ConnectRetry retry_;
    std::vector<Kept> kept_;
};

} // namespace dorvex

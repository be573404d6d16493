#pragma once

#include "platform/win32/AudioNotices.h"
#include "platform/win32/AudioSessionCalls.h"
#include "platform/win32/ComApartment.h"

namespace dorvex {

// The real calls, through COM on the thread that makes this, the only one that may use it. The
// device enumerator is kept from its first use, and listened to for a new default device. Core
// Audio tells of new sessions only to a process with a multi-threaded apartment: one is kept.
class SystemAudioSessionCalls : public AudioSessionCalls {
public:
    SystemAudioSessionCalls() = default;
    ~SystemAudioSessionCalls() override;
    SystemAudioSessionCalls(const SystemAudioSessionCalls&) = delete;
    SystemAudioSessionCalls& operator=(const SystemAudioSessionCalls&) = delete;

    AudioCallResult openDevice() override;
    void closeDevice() override;
    AudioCallResult listSessions(std::vector<ListedAudioSession>& sessions) override;
    HRESULT sessionState(AudioSession session, AudioSessionState& state) override;
    void release(AudioSession session) override;
    bool takeSessionCreated() override { return notices_->takeSessionCreated(); }
    bool takeDefaultDeviceChanged() override { return notices_->takeDefaultDeviceChanged(); }
    std::optional<std::string> programFileName(DWORD processId) override;
    DWORD currentProcessId() override { return ::GetCurrentProcessId(); }
    Clock::time_point now() override { return Clock::now(); }

private:
    AudioCallResult reachDevices();
    // The sessions of the open device and their number.
    AudioCallResult countSessions(IAudioSessionEnumerator*& listing, int& count);

    ComApartment apartment_;
    CO_MTA_USAGE_COOKIE threadedApartment_ = nullptr;
    AudioNotices* notices_ = new AudioNotices;
    IMMDeviceEnumerator* devices_ = nullptr;
    IAudioSessionManager2* manager_ = nullptr;
};

} // namespace dorvex

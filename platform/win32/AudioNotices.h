#pragma once

#include <windows.h>

#include <audiopolicy.h>
#include <mmdeviceapi.h>

#include <atomic>

namespace dorvex {

// What Core Audio tells on its own threads, kept until taken on the window thread: a session
// created on the device listened to, a new default playback device. Made with `new`, ended by
// its last Release.
class AudioNotices final : public IMMNotificationClient, public IAudioSessionNotification {
public:
    bool takeSessionCreated() { return sessionCreated_.exchange(false); }
    bool takeDefaultDeviceChanged() { return defaultDeviceChanged_.exchange(false); }

    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;

    HRESULT STDMETHODCALLTYPE OnSessionCreated(IAudioSessionControl* session) override;
    HRESULT STDMETHODCALLTYPE OnDefaultDeviceChanged(EDataFlow flow, ERole role,
                                                     LPCWSTR device) override;
    HRESULT STDMETHODCALLTYPE OnDeviceStateChanged(LPCWSTR device, DWORD state) override;
    HRESULT STDMETHODCALLTYPE OnDeviceAdded(LPCWSTR device) override;
    HRESULT STDMETHODCALLTYPE OnDeviceRemoved(LPCWSTR device) override;
    HRESULT STDMETHODCALLTYPE OnPropertyValueChanged(LPCWSTR device,
                                                     const PROPERTYKEY key) override;

private:
    ~AudioNotices() = default;

    std::atomic<ULONG> references_{1};
    std::atomic<bool> sessionCreated_{false};
    std::atomic<bool> defaultDeviceChanged_{false};
};

} // namespace dorvex

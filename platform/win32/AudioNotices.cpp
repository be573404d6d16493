#include "platform/win32/AudioNotices.h"

namespace dorvex {

ULONG AudioNotices::AddRef() {
    return ++references_;
}

ULONG AudioNotices::Release() {
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT AudioNotices::QueryInterface(REFIID id, void** object) {
    if (id == __uuidof(IUnknown) || id == __uuidof(IMMNotificationClient)) {
        *object = static_cast<IMMNotificationClient*>(this);
    } else if (id == __uuidof(IAudioSessionNotification)) {
        *object = static_cast<IAudioSessionNotification*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// The new session is listed with the others on the window thread: no call may wait here.
HRESULT AudioNotices::OnSessionCreated(IAudioSessionControl*) {
    sessionCreated_ = true;
    return S_OK;
}

// The device that the default playback endpoint is asked for.
HRESULT AudioNotices::OnDefaultDeviceChanged(EDataFlow flow, ERole role, LPCWSTR) {
    if (flow == eRender && role == eConsole) {
        defaultDeviceChanged_ = true;
    }
    return S_OK;
}

// A device that comes or goes changes the default device too, when it is or was that one.
HRESULT AudioNotices::OnDeviceStateChanged(LPCWSTR, DWORD) {
    return S_OK;
}
HRESULT AudioNotices::OnDeviceAdded(LPCWSTR) {
    return S_OK;
}
HRESULT AudioNotices::OnDeviceRemoved(LPCWSTR) {
    return S_OK;
}
HRESULT AudioNotices::OnPropertyValueChanged(LPCWSTR, const PROPERTYKEY) {
    return S_OK;
}

} // namespace dorvex

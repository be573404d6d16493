#include "platform/win32/SystemAudioSessionCalls.h"

#include "platform/win32/Utf8Text.h"

namespace dorvex {

namespace {

AudioCallResult failed(const char* call, HRESULT result) {
    return FAILED(result) ? AudioCallResult(AudioCallFailure{call, result}) : std::nullopt;
}

template <typename Interface> void releaseOnce(Interface*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

SystemAudioSessionCalls::~SystemAudioSessionCalls() {
    closeDevice();
    if (devices_ != nullptr) {
        devices_->UnregisterEndpointNotificationCallback(notices_);
        releaseOnce(devices_);
    }
    notices_->Release();
    if (threadedApartment_ != nullptr) {
        ::CoDecrementMTAUsage(threadedApartment_);
    }
}

AudioCallResult SystemAudioSessionCalls::reachDevices() {
    if (devices_ != nullptr) {
        return {};
    }
    AudioCallResult failure;
    if (threadedApartment_ == nullptr) {
        failure = failed("CoIncrementMTAUsage", ::CoIncrementMTAUsage(&threadedApartment_));
    }
    if (!failure) {
        failure = failed("CoCreateInstance(MMDeviceEnumerator)",
                         ::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr,
                                            CLSCTX_INPROC_SERVER, __uuidof(IMMDeviceEnumerator),
                                            reinterpret_cast<void**>(&devices_)));
    }
    if (!failure) {
        failure = failed("RegisterEndpointNotificationCallback",
                         devices_->RegisterEndpointNotificationCallback(notices_));
        if (failure) {
            releaseOnce(devices_);
        }
    }
    return failure;
}

AudioCallResult SystemAudioSessionCalls::openDevice() {
    if (AudioCallResult failure = reachDevices()) {
        return failure;
    }
    IMMDevice* device = nullptr;
    AudioCallResult failure = failed("GetDefaultAudioEndpoint",
                                     devices_->GetDefaultAudioEndpoint(eRender, eConsole, &device));
    if (failure) {
        return failure;
    }
    failure = failed("Activate(IAudioSessionManager2)",
                     device->Activate(__uuidof(IAudioSessionManager2), CLSCTX_INPROC_SERVER,
                                      nullptr, reinterpret_cast<void**>(&manager_)));
    device->Release();
    // New sessions are told of only once the sessions were counted.
    IAudioSessionEnumerator* listing = nullptr;
    int count = 0;
    if (!failure) {
        failure = countSessions(listing, count);
        releaseOnce(listing);
    }
    if (!failure) {
        failure =
            failed("RegisterSessionNotification", manager_->RegisterSessionNotification(notices_));
    }
    if (failure) {
        releaseOnce(manager_);
    }
    return failure;
}

AudioCallResult SystemAudioSessionCalls::countSessions(IAudioSessionEnumerator*& listing,
                                                       int& count) {
    if (AudioCallResult failure =
            failed("GetSessionEnumerator", manager_->GetSessionEnumerator(&listing))) {
        return failure;
    }
    AudioCallResult failure =
        failed("IAudioSessionEnumerator::GetCount", listing->GetCount(&count));
    if (failure) {
        releaseOnce(listing);
    }
    return failure;
}

void SystemAudioSessionCalls::closeDevice() {
    if (manager_ != nullptr) {
        manager_->UnregisterSessionNotification(notices_);
        releaseOnce(manager_);
    }
}

AudioCallResult SystemAudioSessionCalls::listSessions(std::vector<ListedAudioSession>& sessions) {
    IAudioSessionEnumerator* listing = nullptr;
    int count = 0;
    AudioCallResult failure = countSessions(listing, count);
    for (int index = 0; !failure && index < count; ++index) {
        IAudioSessionControl* control = nullptr;
        failure =
            failed("IAudioSessionEnumerator::GetSession", listing->GetSession(index, &control));
        IAudioSessionControl2* session = nullptr;
        if (!failure) {
            failure = failed("QueryInterface(IAudioSessionControl2)",
                             control->QueryInterface(__uuidof(IAudioSessionControl2),
                                                     reinterpret_cast<void**>(&session)));
            control->Release();
        }
        if (!failure) {
            // A session of several processes names one of them (AUDCLNT_S_NO_SINGLE_PROCESS);
            // one that names none is no program's that can be named.
            DWORD process = 0;
            session->GetProcessId(&process);
            sessions.push_back({reinterpret_cast<AudioSession>(session), process,
                                session->IsSystemSoundsSession() == S_OK});
        }
    }
    releaseOnce(listing);
    if (failure) {
        for (const ListedAudioSession& listed : sessions) {
            release(listed.session);
        }
        sessions.clear();
    }
    return failure;
}

HRESULT SystemAudioSessionCalls::sessionState(AudioSession session, AudioSessionState& state) {
    return reinterpret_cast<IAudioSessionControl2*>(session)->GetState(&state);
}

void SystemAudioSessionCalls::release(AudioSession session) {
    reinterpret_cast<IAudioSessionControl2*>(session)->Release();
}

std::optional<std::string> SystemAudioSessionCalls::programFileName(DWORD processId) {
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return std::nullopt;
    }
    std::wstring path(32768, L'\0'); // the longest path Windows has
    auto size = static_cast<DWORD>(path.size());
    const bool read = ::QueryFullProcessImageNameW(process, 0, path.data(), &size);
    ::CloseHandle(process);
    path.resize(read ? size : 0);
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    return name.empty() ? std::nullopt : std::optional(utf8(name));
}

} // namespace dorvex

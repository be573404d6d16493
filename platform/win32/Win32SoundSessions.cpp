#include "platform/win32/Win32SoundSessions.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace dorvex {

Win32SoundSessions::Win32SoundSessions(AudioSessionCalls& calls, std::ostream& diagnostics)
    : calls_(calls), diagnostics_(diagnostics) {}

Win32SoundSessions::~Win32SoundSessions() {
    close();
}

void Win32SoundSessions::addSigns(std::chrono::seconds /*quietLimit*/,
                                  std::vector<std::string>& signs) {
    const auto now = calls_.now();
    // Headphones plugged in or out: the sessions are the new device's.
    const bool changed = calls_.takeDefaultDeviceChanged();
    if (changed) {
        close();
    }
    AudioCallResult failure;
    if (!open_ && (changed || now >= retry_.at())) {
        failure = open();
    } else if (open_ && calls_.takeSessionCreated()) {
        failure = list();
    }
    std::vector<std::string> programs;
    if (!failure && open_) {
        failure = playing(programs);
    }
    if (failure) {
        fail(*failure, now);
        return;
    }
    for (const std::string& program : programs) {
        signs.push_back(program + " plays sound");
    }
}

AudioCallResult Win32SoundSessions::open() {
    if (AudioCallResult failure = calls_.openDevice()) {
        return failure;
    }
    open_ = true;
    AudioCallResult failure = list();
    // A device whose sessions cannot be listed is tried again no sooner than one not there.
    if (!failure) {
        retry_.reached();
    }
    return failure;
}

AudioCallResult Win32SoundSessions::list() {
    std::vector<ListedAudioSession> listed;
    if (AudioCallResult failure = calls_.listSessions(listed)) {
        return failure;
    }
    releaseKept();
    const DWORD own = calls_.currentProcessId();
    for (const ListedAudioSession& session : listed) {
        if (session.systemSounds || session.processId == own) {
            calls_.release(session.session);
        } else {
            kept_.push_back(
                {session.session, calls_.programFileName(session.processId).value_or("A program")});
        }
    }
    return {};
}

AudioCallResult Win32SoundSessions::playing(std::vector<std::string>& programs) {
    for (auto kept = kept_.begin(); kept != kept_.end();) {
        AudioSessionState state{};
        const HRESULT result = calls_.sessionState(kept->session, state);
        if (FAILED(result)) {
            return AudioCallFailure{"GetState", result};
        }
        if (state == AudioSessionStateExpired) {
            calls_.release(kept->session);
            kept = kept_.erase(kept);
            continue;
        }
        // One line a program, however many sessions it plays.
        if (state == AudioSessionStateActive &&
            std::ranges::find(programs, kept->program) == programs.end()) {
            programs.push_back(kept->program);
        }
        ++kept;
    }
    return {};
}

void Win32SoundSessions::fail(const AudioCallFailure& failure,
                              ConnectRetry::Clock::time_point now) {
    close();
    retry_.failed(now);
    if (!std::exchange(told_, true)) {
        char result[16];
        std::snprintf(result, sizeof result, "0x%08lX", static_cast<unsigned long>(failure.result));
        diagnostics_ << "Dorvex Zede hears no sound device (" << failure.call << " gave " << result
                     << "): sound playing does not count as use\n";
    }
}

void Win32SoundSessions::close() {
    releaseKept();
    if (std::exchange(open_, false)) {
        calls_.closeDevice();
    }
}

void Win32SoundSessions::releaseKept() {
    for (const Kept& kept : kept_) {
        calls_.release(kept.session);
    }
    kept_.clear();
}

} // namespace dorvex

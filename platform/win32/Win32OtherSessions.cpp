#include "platform/win32/Win32OtherSessions.h"

#include "platform/win32/Utf8Text.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <span>
#include <string_view>
#include <utility>

namespace dorvex {

namespace {

using std::chrono::system_clock;

// The text of a fixed field, which its longest text fills without an end.
template <std::size_t N> std::string fieldText(const WCHAR (&field)[N]) {
    return utf8(std::wstring_view(field, ::wcsnlen(field, N)));
}

// Memory the calls handed out, handed back when this goes.
class Handout {
public:
    explicit Handout(SessionCalls& calls, void* memory = nullptr)
        : calls_(calls), memory_(memory) {}
    ~Handout() {
        if (memory_ != nullptr) {
            calls_.freeMemory(memory_);
        }
    }
    Handout(const Handout&) = delete;
    Handout& operator=(const Handout&) = delete;

protected:
    SessionCalls& calls_;
    void* memory_;
};

// One answer of WTSQuerySessionInformationW.
class Answer : Handout {
public:
    Answer(SessionCalls& calls, DWORD session, WTS_INFO_CLASS what) : Handout(calls) {
        LPWSTR buffer = nullptr;
        if (calls.querySession(session, what, buffer, bytes_)) {
            memory_ = buffer;
        }
    }
    // The answer as a T; none when there is none, or too short for one.
    template <class T> std::optional<T> as() const {
        if (memory_ == nullptr || bytes_ < sizeof(T)) {
            return std::nullopt;
        }
        T value;
        std::memcpy(&value, memory_, sizeof value);
        return value;
    }
    std::string text() const {
        const auto* text = static_cast<const WCHAR*>(memory_);
        return text == nullptr ? "" : utf8(std::wstring_view(text, ::wcsnlen(text, bytes_ / 2)));
    }

private:
    DWORD bytes_ = 0;
};

// 100 ns steps, as Windows counts its times.
using Ticks = std::chrono::duration<LONGLONG, std::ratio<1, 10'000'000>>;

} // namespace

void Win32OtherSessions::addSigns(std::chrono::seconds quietLimit,
                                  std::vector<std::string>& signs) {
    if (!knowOwnSession()) {
        return;
    }
    WTS_SESSION_INFOW* listed = nullptr;
    DWORD count = 0;
    if (!calls_.enumerateSessions(listed, count)) {
        failed("WTSEnumerateSessionsW");
        return;
    }
    const Handout list(calls_, listed);
    const auto now = system_clock::now();
    for (const WTS_SESSION_INFOW& session : std::span(listed, listed == nullptr ? 0 : count)) {
        // Session 0 runs the services; a listener waits for connections, a disconnected session
        // for its user to come back.
        if (session.SessionId == *own_ || session.SessionId == 0 || session.State != WTSActive) {
            continue;
        }
        const auto info = Answer(calls_, session.SessionId, WTSSessionInfo).as<WTSINFOW>();
        if (!info) {
            failed("WTSQuerySessionInformationW");
            continue;
        }
        if (auto sign = sessionSign(properties(*info, now), ownUser(*info), now, quietLimit)) {
            signs.push_back(std::move(*sign));
        }
    }
}

bool Win32OtherSessions::knowOwnSession() {
    if (own_) {
        return true;
    }
    DWORD own = 0;
    if (!calls_.processIdToSessionId(::GetCurrentProcessId(), own)) {
        failed("ProcessIdToSessionId");
        return false;
    }
    own_ = own;
    // The program runs as its session's user. Not knowing it only words a session of the same
    // user as another user's.
    if (const auto info = Answer(calls_, own, WTSSessionInfo).as<WTSINFOW>()) {
        ownUser_ = info->UserName;
        ownDomain_ = info->Domain;
    }
    return true;
}

SessionProperties Win32OtherSessions::properties(const WTSINFOW& info,
                                                 system_clock::time_point now) {
    SessionProperties session{
        .id = std::to_string(info.SessionId),
        .name = fieldText(info.UserName),
        .tty = fieldText(info.WinStationName),
        .sessionClass = info.UserName[0] == L'\0' ? "" : "user",
        .state = info.State == WTSActive ? "active" : "",
        .remote = remote(info),
        // The idle time, not the moment: the session's input and its current time are told by the
        // same clock, which need not be this one.
        .idleHint = true,
    };
    if (session.remote) {
        session.remoteHost = Answer(calls_, info.SessionId, WTSClientName).text();
    }
    // Some Windows versions leave the last input of the console untold: its connection is the
    // last use known. Counting such a session as in use would hold the machine on for as long as
    // it stays logged on, locked or not.
    const LONGLONG lastUse =
        info.LastInputTime.QuadPart != 0 ? info.LastInputTime.QuadPart : info.ConnectTime.QuadPart;
    if (lastUse != 0) {
        const auto idle = std::chrono::floor<std::chrono::microseconds>(
            Ticks(std::max(info.CurrentTime.QuadPart - lastUse, LONGLONG{0})));
        const auto since = (now - idle).time_since_epoch();
        session.idleSinceHint = static_cast<std::uint64_t>(
            std::max(std::chrono::floor<std::chrono::microseconds>(since).count(), 0LL));
    }
    return session;
}

// A session a Remote Desktop client connected to, as its protocol tells, else its station: the
// console's is "Console".
bool Win32OtherSessions::remote(const WTSINFOW& info) {
    if (const auto protocol = Answer(calls_, info.SessionId, WTSClientProtocolType).as<USHORT>()) {
        return *protocol != WTS_PROTOCOL_TYPE_CONSOLE;
    }
    return ::_wcsicmp(info.WinStationName, L"Console") != 0;
}

bool Win32OtherSessions::ownUser(const WTSINFOW& info) const {
    // Windows compares account names without case.
    return !ownUser_.empty() && ::_wcsicmp(ownUser_.c_str(), info.UserName) == 0 &&
           ::_wcsicmp(ownDomain_.c_str(), info.Domain) == 0;
}

void Win32OtherSessions::failed(const char* call) {
    if (!std::exchange(told_, true)) {
        diagnostics_ << "Dorvex Zede cannot ask Windows about other sessions (" << call
                     << ", error " << calls_.lastError()
                     << "): a session it cannot ask about does not count as use\n";
    }
}

} // namespace dorvex

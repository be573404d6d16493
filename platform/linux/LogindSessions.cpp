#include "platform/linux/LogindSessions.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <unistd.h>
#include <utility>

namespace dorvex {

namespace {

constexpr const char* login1 = "org.freedesktop.login1";
constexpr const char* login1Path = "/org/freedesktop/login1";
constexpr const char* manager = "org.freedesktop.login1.Manager";
constexpr const char* sessionInterface = "org.freedesktop.login1.Session";

int readText(sd_bus_message* message, std::string& text) {
    const char* read = nullptr;
    const int result = sd_bus_message_read(message, "v", "s", &read);
    if (result > 0) {
        text = read;
    }
    return result;
}

int readFlag(sd_bus_message* message, bool& flag) {
    int read = 0;
    const int result = sd_bus_message_read(message, "v", "b", &read);
    flag = read != 0;
    return result;
}

constexpr std::pair<std::string_view, std::string SessionProperties::*> texts[] = {
    {"Name", &SessionProperties::name},       {"Class", &SessionProperties::sessionClass},
    {"State", &SessionProperties::state},     {"Type", &SessionProperties::type},
    {"Service", &SessionProperties::service}, {"RemoteHost", &SessionProperties::remoteHost},
    {"TTY", &SessionProperties::tty},
};
constexpr std::pair<std::string_view, bool SessionProperties::*> flags[] = {
    {"Remote", &SessionProperties::remote},
    {"IdleHint", &SessionProperties::idleHint},
};

// One property of GetAll's answer, the message standing at its value; others are skipped.
int readProperty(sd_bus_message* message, std::string_view name, SessionProperties& session) {
    for (const auto& [textName, text] : texts) {
        if (name == textName) {
            return readText(message, session.*text);
        }
    }
    for (const auto& [flagName, flag] : flags) {
        if (name == flagName) {
            return readFlag(message, session.*flag);
        }
    }
    const char* ignored = nullptr;
    if (name == "IdleSinceHint") {
        return sd_bus_message_read(message, "v", "t", &session.idleSinceHint);
    }
    if (name == "User") {
        return sd_bus_message_read(message, "v", "(uo)", &session.uid, &ignored);
    }
    if (name == "Seat") {
        const char* seat = nullptr;
        const int result = sd_bus_message_read(message, "v", "(so)", &seat, &ignored);
        if (result > 0) {
            session.seat = seat;
        }
        return result;
    }
    return sd_bus_message_skip(message, "v");
}

std::optional<SessionProperties> readProperties(sd_bus_message* answer, const std::string& id) {
    SessionProperties session{.id = id};
    if (sd_bus_message_enter_container(answer, 'a', "{sv}") < 0) {
        return std::nullopt;
    }
    int result = 0;
    while ((result = sd_bus_message_enter_container(answer, 'e', "sv")) > 0) {
        const char* name = nullptr;
        if (sd_bus_message_read(answer, "s", &name) < 0 ||
            readProperty(answer, name, session) < 0 || sd_bus_message_exit_container(answer) < 0) {
            return std::nullopt;
        }
    }
    return result < 0 ? std::nullopt : std::optional(session);
}

} // namespace

LogindSessions::LogindSessions(ReadableWatches& watches, Clock::duration recheckAfter)
    : recheckAfter_(recheckAfter), system_(
                                       watches, &sd_bus_open_system, [] {}, [this] { forget(); }) {}

LogindSessions::~LogindSessions() {
    system_.close();
}

void LogindSessions::addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) {
    const auto now = Clock::now();
    if (system_.bus() == nullptr) {
        if (now >= system_.openAgainAt()) {
            connect(now);
        }
    } else if (awaitingAnswers()) {
        // Sends what the socket did not take at once, as after a flood of new sessions. With
        // nothing asked a tick makes no system call: what logind tells comes through the watch.
        system_.readArrived();
    }
    if (system_.bus() != nullptr && listing_ == nullptr && now - listedAt_ >= recheckAfter_) {
        list(now);
    }
    if (!ownKnown_) {
        return;
    }
    const auto realNow = std::chrono::system_clock::now();
    for (const auto& [path, session] : sessions_) {
        if (session.properties && !own(session)) {
            if (auto sign = sessionSign(*session.properties, session.properties->uid == getuid(),
                                        realNow, quietLimit)) {
                signs.push_back(std::move(*sign));
            }
        }
    }
}

void LogindSessions::connect(Clock::time_point now) {
    if (!system_.open(now)) {
        return;
    }
    sd_bus* bus = system_.bus();
    // Watched before the list is asked for, so that no session coming after it is missed.
    if (sd_bus_add_match_async(bus, &ownerWatch_, ownerChanges(login1).c_str(), &onOwnerChanged,
                               nullptr, this) < 0 ||
        sd_bus_match_signal_async(bus, &newWatch_, login1, login1Path, manager, "SessionNew",
                                  &onSessionNew, nullptr, this) < 0 ||
        sd_bus_match_signal_async(bus, &removedWatch_, login1, login1Path, manager,
                                  "SessionRemoved", &onSessionRemoved, nullptr, this) < 0 ||
        !askOwnSession()) {
        system_.lose(now);
        return;
    }
    list(now);
}

bool LogindSessions::askOwnSession() {
    ownQuestion_ = sd_bus_slot_unref(ownQuestion_);
    ownKnown_ = false;
    ownPath_.clear();
    ownId_.clear();
    return sd_bus_call_method_async(system_.bus(), &ownQuestion_, login1, login1Path, manager,
                                    "GetSessionByPID", &onOwnSession, this, "u",
                                    static_cast<std::uint32_t>(getpid())) >= 0;
}

void LogindSessions::list(Clock::time_point now) {
    listedAt_ = now;
    if (sd_bus_call_method_async(system_.bus(), &listing_, login1, login1Path, manager,
                                 "ListSessions", &onList, this, "") < 0) {
        listing_ = nullptr;
    }
}

bool LogindSessions::awaitingAnswers() const {
    return listing_ != nullptr || ownQuestion_ != nullptr ||
           std::ranges::any_of(sessions_,
                               [](const auto& entry) { return entry.second.pending != nullptr; });
}

void LogindSessions::add(const std::string& id, const std::string& path) {
    const auto [at, added] = sessions_.try_emplace(path, Session{path, id});
    // The program's own session never counts: its properties need not be asked for.
    if (at->second.pending == nullptr && !own(at->second)) {
        ask(at->second);
    }
}

void LogindSessions::ask(Session& session) {
    if (sd_bus_call_method_async(system_.bus(), &session.pending, login1, session.path.c_str(),
                                 "org.freedesktop.DBus.Properties", "GetAll", &onProperties,
                                 &session, "s", sessionInterface) < 0) {
        session.pending = nullptr;
    }
}

// What logind said no longer holds once the bus is gone.
void LogindSessions::forget() {
    for (sd_bus_slot** slot : {&ownerWatch_, &newWatch_, &removedWatch_, &ownQuestion_}) {
        *slot = sd_bus_slot_unref(*slot);
    }
    dropSessions();
    ownKnown_ = false;
}

void LogindSessions::dropSessions() {
    listing_ = sd_bus_slot_unref(listing_);
    for (auto& [path, session] : sessions_) {
        sd_bus_slot_unref(session.pending);
    }
    sessions_.clear();
}

bool LogindSessions::own(const Session& session) const {
    return session.path == ownPath_ || (!ownId_.empty() && session.id == ownId_);
}

int LogindSessions::onOwnSession(sd_bus_message* answer, void* self, sd_bus_error* /*error*/) {
    auto& sessions = *static_cast<LogindSessions*>(self);
    sessions.ownQuestion_ = sd_bus_slot_unref(sessions.ownQuestion_);
    sessions.ownKnown_ = true;
    const char* path = nullptr;
    if (sd_bus_message_is_method_error(answer, nullptr) == 0 &&
        sd_bus_message_read(answer, "o", &path) > 0) {
        sessions.ownPath_ = path;
    } else if (const char* id = std::getenv("XDG_SESSION_ID")) {
        // Started outside its session, as a user service is, the program still belongs to the
        // session it was started for.
        sessions.ownId_ = id;
    }
    return 0;
}

int LogindSessions::onList(sd_bus_message* answer, void* self, sd_bus_error* /*error*/) {
    auto& sessions = *static_cast<LogindSessions*>(self);
    sessions.listing_ = sd_bus_slot_unref(sessions.listing_);
    std::map<std::string, std::string> listed; // id by path
    if (sd_bus_message_is_method_error(answer, nullptr) == 0 &&
        sd_bus_message_enter_container(answer, 'a', "(susso)") > 0) {
        const char* id = nullptr;
        const char* path = nullptr;
        while (sd_bus_message_read(answer, "(susso)", &id, nullptr, nullptr, nullptr, &path) > 0) {
            listed.emplace(path, id);
        }
    }
    // A missing login manager lists none.
    std::erase_if(sessions.sessions_, [&listed](auto& entry) {
        if (listed.contains(entry.first)) {
            return false;
        }
        sd_bus_slot_unref(entry.second.pending);
        return true;
    });
    for (const auto& [path, id] : listed) {
        sessions.add(id, path);
    }
    return 0;
}

int LogindSessions::onProperties(sd_bus_message* answer, void* asked, sd_bus_error* /*error*/) {
    auto& session = *static_cast<Session*>(asked);
    session.pending = sd_bus_slot_unref(session.pending);
    session.properties = sd_bus_message_is_method_error(answer, nullptr) != 0
                             ? std::nullopt
                             : readProperties(answer, session.id);
    return 0;
}

int LogindSessions::onSessionNew(sd_bus_message* signal, void* self, sd_bus_error* /*error*/) {
    const char* id = nullptr;
    const char* path = nullptr;
    if (sd_bus_message_read(signal, "so", &id, &path) > 0) {
        static_cast<LogindSessions*>(self)->add(id, path);
    }
    return 0;
}

int LogindSessions::onOwnerChanged(sd_bus_message* signal, void* self, sd_bus_error* /*error*/) {
    auto& sessions = *static_cast<LogindSessions*>(self);
    const auto came = serviceCame(signal);
    if (!came) {
        return 0;
    }
    // Sessions a login manager that left told of are none of the one that comes.
    sessions.dropSessions();
    // One that was not there had no session to give for the program.
    if (*came && sessions.askOwnSession()) {
        sessions.list(Clock::now());
    }
    return 0;
}

int LogindSessions::onSessionRemoved(sd_bus_message* signal, void* self, sd_bus_error* /*error*/) {
    auto& sessions = static_cast<LogindSessions*>(self)->sessions_;
    const char* id = nullptr;
    const char* path = nullptr;
    if (sd_bus_message_read(signal, "so", &id, &path) > 0) {
        if (const auto found = sessions.find(path); found != sessions.end()) {
            sd_bus_slot_unref(found->second.pending);
            sessions.erase(found);
        }
    }
    return 0;
}

} // namespace dorvex

#include "platform/linux/DbusWakeInhibitors.h"

#include "platform/linux/LogindInhibitors.h"

#include <algorithm>

namespace dorvex {

namespace {

constexpr std::uint32_t gnomeIdleAndSuspend = 8 | 4; // GNOME's inhibitor flags

std::optional<WakeInhibitor> yesMeans(sd_bus_message* answer, const char* why) {
    int yes = 0;
    if (sd_bus_message_read(answer, "b", &yes) > 0 && yes != 0) {
        return WakeInhibitor{"An application", why};
    }
    return std::nullopt;
}

std::optional<WakeInhibitor> fromLogind(sd_bus_message* answer) {
    return blockingInhibitorIn(answer, {"idle", "sleep", "shutdown"});
}

// GNOME and KDE tell only whether someone keeps the session awake.
std::optional<WakeInhibitor> fromGnome(sd_bus_message* answer) {
    return yesMeans(answer, "it asked GNOME not to go idle");
}

std::optional<WakeInhibitor> fromKde(sd_bus_message* answer) {
    return yesMeans(answer, "it asked KDE not to go idle");
}

} // namespace

DbusWakeInhibitors::DbusWakeInhibitors()
    : questions_{{
          {system_, "org.freedesktop.login1", "/org/freedesktop/login1",
           "org.freedesktop.login1.Manager", "ListInhibitors", std::nullopt, &fromLogind},
          {session_, "org.gnome.SessionManager", "/org/gnome/SessionManager",
           "org.gnome.SessionManager", "IsInhibited", gnomeIdleAndSuspend, &fromGnome},
          {session_, "org.freedesktop.PowerManagement", "/org/freedesktop/PowerManagement/Inhibit",
           "org.freedesktop.PowerManagement.Inhibit", "HasInhibit", std::nullopt, &fromKde},
      }} {}

DbusWakeInhibitors::~DbusWakeInhibitors() {
    for (Question& question : questions_) {
        sd_bus_slot_unref(question.pending);
    }
    // Nothing left to send matters: no flush that a hung bus could hold up.
    sd_bus_close_unref(system_.bus);
    sd_bus_close_unref(session_.bus);
}

std::optional<WakeInhibitor> DbusWakeInhibitors::holder() {
    const auto now = std::chrono::steady_clock::now();
    // With no call under way and none due, the last answers stand: a tick costs next to nothing.
    if (now < nextQuestionAt_ && std::ranges::none_of(questions_, &Question::underWay)) {
        return found_;
    }
    readAnswers(system_);
    readAnswers(session_);
    std::optional<WakeInhibitor> found;
    nextQuestionAt_ = std::chrono::steady_clock::time_point::max();
    for (Question& question : questions_) {
        // Given up only after the answers that came in were read: sd-bus's own time-out would
        // fail a call before reading its answer when nobody asked for it in time.
        if (question.pending != nullptr && now - question.askedAt > answerTime) {
            question.pending = sd_bus_slot_unref(question.pending);
            question.answer.reset();
        }
        // A question still under way is not asked again: at most one call each.
        if (question.pending == nullptr && now >= question.askAgainAt) {
            ask(question, now);
        }
        if (!found) {
            found = question.answer;
        }
        // A bus that could not be reached is tried again only when its time has come.
        const Connection& connection = question.connection;
        nextQuestionAt_ =
            std::min(nextQuestionAt_, connection.bus == nullptr
                                          ? std::max(question.askAgainAt, connection.openAgainAt)
                                          : question.askAgainAt);
    }
    found_ = found;
    return found;
}

void DbusWakeInhibitors::readAnswers(Connection& connection) {
    if (connection.bus == nullptr) {
        return;
    }
    // Never waits: handles what has arrived. A lost connection fails its calls before it ends.
    int result = 0;
    while ((result = sd_bus_process(connection.bus, nullptr)) > 0) {
    }
    if (result < 0) {
        for (Question& question : questions_) {
            if (&question.connection == &connection) {
                question.pending = sd_bus_slot_unref(question.pending);
                question.answer.reset();
            }
        }
        connection.bus = sd_bus_close_unref(connection.bus);
    }
}

bool DbusWakeInhibitors::connect(Connection& connection,
                                 std::chrono::steady_clock::time_point now) {
    if (now < connection.openAgainAt) {
        return false;
    }
    if (connection.open(&connection.bus) < 0) {
        connection.bus = nullptr;
        connection.openAgainAt = now + absentTime;
        return false;
    }
    return true;
}

void DbusWakeInhibitors::ask(Question& question, std::chrono::steady_clock::time_point now) {
    Connection& connection = question.connection;
    // Connecting does not wait either: calls queue until the bus has let the connection in.
    if (connection.bus == nullptr && !connect(connection, now)) {
        question.answer.reset();
        return;
    }
    sd_bus_message* call = nullptr;
    int result = sd_bus_message_new_method_call(connection.bus, &call, question.service,
                                                question.path, question.interface, question.method);
    // Starting a service that is not running is not this program's business.
    if (result >= 0) {
        result = sd_bus_message_set_auto_start(call, 0);
    }
    if (result >= 0 && question.flags) {
        result = sd_bus_message_append(call, "u", *question.flags);
    }
    if (result >= 0) {
        result =
            sd_bus_call_async(connection.bus, &question.pending, call, &onAnswer, &question, 0);
        question.askedAt = now;
    }
    sd_bus_message_unref(call);
    if (result < 0) {
        question.answer.reset();
    }
}

int DbusWakeInhibitors::onAnswer(sd_bus_message* answer, void* asked, sd_bus_error* /*error*/) {
    auto& question = *static_cast<Question*>(asked);
    question.pending = sd_bus_slot_unref(question.pending);
    if (sd_bus_message_is_method_error(answer, "org.freedesktop.DBus.Error.ServiceUnknown") != 0 ||
        sd_bus_message_is_method_error(answer, "org.freedesktop.DBus.Error.NameHasNoOwner") != 0) {
        question.askAgainAt = std::chrono::steady_clock::now() + absentTime;
    }
    // A missing service, a missing method and a lost connection all answer with an error.
    question.answer =
        sd_bus_message_is_method_error(answer, nullptr) != 0 ? std::nullopt : question.read(answer);
    return 0;
}

} // namespace dorvex

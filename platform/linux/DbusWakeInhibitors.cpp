#include "platform/linux/DbusWakeInhibitors.h"

#include "platform/linux/LogindInhibitors.h"

#include <algorithm>

namespace dorvex {

namespace {

constexpr std::uint32_t gnomeIdleAndSuspend = 8 | 4; // GNOME's inhibitor flags

constexpr const char* login1 = "org.freedesktop.login1";
constexpr const char* login1Path = "/org/freedesktop/login1";
constexpr const char* gnome = "org.gnome.SessionManager";
constexpr const char* gnomePath = "/org/gnome/SessionManager";
constexpr const char* kde = "org.freedesktop.PowerManagement";
constexpr const char* kdePath = "/org/freedesktop/PowerManagement/Inhibit";
constexpr const char* kdeInterface = "org.freedesktop.PowerManagement.Inhibit";

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

DbusWakeInhibitors::DbusWakeInhibitors(ReadableWatches& watches, Clock::duration recheckAfter,
                                       Clock::duration giveUpAfter)
    : watches_(watches), recheckAfter_(recheckAfter), giveUpAfter_(giveUpAfter),
      questions_{{
          // The login manager tells of every inhibitor that starts or stops as a change of its
          // BlockInhibited or DelayInhibited property; GNOME with InhibitorAdded and
          // InhibitorRemoved; KDE with HasInhibitChanged.
          {system_, login1, login1Path, "org.freedesktop.login1.Manager", "ListInhibitors",
           std::nullopt,
           signalsOf(login1, login1Path, "org.freedesktop.DBus.Properties") +
               ",member='PropertiesChanged',arg0='org.freedesktop.login1.Manager'",
           ownerChanges(login1), &fromLogind},
          {session_, gnome, gnomePath, gnome, "IsInhibited", gnomeIdleAndSuspend,
           signalsOf(gnome, gnomePath, gnome), ownerChanges(gnome), &fromGnome},
          {session_, kde, kdePath, kdeInterface, "HasInhibit", std::nullopt,
           signalsOf(kde, kdePath, kdeInterface), ownerChanges(kde), &fromKde},
      }} {}

DbusWakeInhibitors::~DbusWakeInhibitors() {
    system_.close();
    session_.close();
}

void DbusWakeInhibitors::addSigns(std::chrono::seconds /*quietLimit*/,
                                  std::vector<std::string>& signs) {
    if (const auto found = holder()) {
        signs.push_back(found->text());
    }
}

std::optional<WakeInhibitor> DbusWakeInhibitors::holder() {
    const auto now = Clock::now();
    // Nothing arrived, due or under way: the last answers stand.
    if (now < nextLookAt_) {
        return found_;
    }
    for (BusConnection* connection : {&system_, &session_}) {
        if (connection->bus() == nullptr) {
            if (now >= connection->openAgainAt()) {
                connect(*connection, now);
            }
        } else if (std::ranges::any_of(questionsOn(*connection), [](const Question& question) {
                       return question.pending != nullptr;
                   })) {
            // Sends what the socket did not take at once, and reads any answer not read yet.
            connection->readArrived();
        }
    }
    for (Question& question : questions_) {
        // Given up only after the answers that came in were read: sd-bus's own time-out would
        // fail a call before reading its answer when nobody asked for it in time.
        if (question.pending != nullptr && now - question.askedAt > giveUpAfter_) {
            question.pending = sd_bus_slot_unref(question.pending);
            question.answer.reset();
            question.stale = true;
        }
        // A question still under way is not asked again: at most one call each.
        if (question.connection.bus() != nullptr && question.pending == nullptr &&
            !question.absent && (question.stale || now - question.askedAt >= recheckAfter_)) {
            ask(question, now);
        }
    }
    lookAgainAfter(now);
    return found_;
}

void DbusWakeInhibitors::lookAgainAfter(Clock::time_point now) {
    nextLookAt_ = Clock::time_point::max();
    for (const BusConnection* connection : {&system_, &session_}) {
        if (connection->bus() == nullptr) {
            nextLookAt_ = std::min(nextLookAt_, connection->openAgainAt());
        }
    }
    found_.reset();
    for (const Question& question : questions_) {
        if (question.pending != nullptr) {
            nextLookAt_ = std::min(nextLookAt_, question.askedAt + giveUpAfter_);
        } else if (question.connection.bus() != nullptr && !question.absent) {
            nextLookAt_ = std::min(nextLookAt_, question.askedAt + recheckAfter_);
        }
        if (!found_) {
            found_ = question.answer;
        }
    }
    nextLookAt_ = std::max(nextLookAt_, now);
}

void DbusWakeInhibitors::connect(BusConnection& connection, Clock::time_point now) {
    if (!connection.open(now)) {
        return;
    }
    for (Question& question : questionsOn(connection)) {
        // Watched before the first question goes out, so that no change after its answer is
        // missed.
        if (sd_bus_add_match_async(connection.bus(), &question.ownerWatch,
                                   question.ownerRule.c_str(), &onOwnerChanged, nullptr,
                                   &question) < 0 ||
            sd_bus_add_match_async(connection.bus(), &question.changeWatch,
                                   question.changeRule.c_str(), &onChange, nullptr,
                                   &question) < 0) {
            connection.lose(now);
            return;
        }
        question.absent = false;
        question.stale = true;
    }
}

void DbusWakeInhibitors::forgetAnswersOn(const BusConnection& connection) {
    for (Question& question : questionsOn(connection)) {
        question.pending = sd_bus_slot_unref(question.pending);
        question.ownerWatch = sd_bus_slot_unref(question.ownerWatch);
        question.changeWatch = sd_bus_slot_unref(question.changeWatch);
        question.answer.reset();
    }
}

void DbusWakeInhibitors::ask(Question& question, Clock::time_point now) {
    sd_bus* bus = question.connection.bus();
    question.stale = false;
    question.askedAt = now;
    sd_bus_message* call = nullptr;
    int result = sd_bus_message_new_method_call(bus, &call, question.service, question.path,
                                                question.interface, question.method);
    // Starting a service that is not running is not this program's business.
    if (result >= 0) {
        result = sd_bus_message_set_auto_start(call, 0);
    }
    if (result >= 0 && question.flags) {
        result = sd_bus_message_append(call, "u", *question.flags);
    }
    if (result >= 0) {
        result = sd_bus_call_async(bus, &question.pending, call, &onAnswer, &question, 0);
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
        question.absent = true;
    }
    // A missing service, a missing method and a lost connection all answer with an error.
    question.answer =
        sd_bus_message_is_method_error(answer, nullptr) != 0 ? std::nullopt : question.read(answer);
    return 0;
}

int DbusWakeInhibitors::onOwnerChanged(sd_bus_message* signal, void* asked,
                                       sd_bus_error* /*error*/) {
    auto& question = *static_cast<Question*>(asked);
    const auto came = serviceCame(signal);
    if (!came) {
        return 0;
    }
    // A service that went took its inhibitors along; one that came is asked at once.
    question.absent = !*came;
    question.stale = true;
    if (question.absent) {
        question.answer.reset();
    }
    return 0;
}

int DbusWakeInhibitors::onChange(sd_bus_message* /*signal*/, void* asked, sd_bus_error* /*error*/) {
    static_cast<Question*>(asked)->stale = true;
    return 0;
}

} // namespace dorvex

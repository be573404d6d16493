#pragma once

#include "platform/SignsOfUse.h"
#include "platform/linux/BusConnection.h"
#include "platform/signs/SessionSign.h"

#include <map>
#include <optional>

namespace dorvex {

// Other sessions in use, as the login manager tells: someone working over ssh, or another user
// at the machine (with fast user switching this session's X server sees none of their input).
// The sessions are listed when the system bus comes and every `recheckTime` after, each asked
// for its properties then (logind reads a terminal's idle time when asked), and on SessionNew;
// SessionRemoved drops one, and the login manager leaving the bus all. No call waits: the
// answers are read as they arrive.
class LogindSessions : public SignSource {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::seconds recheckTime{30};

    explicit LogindSessions(ReadableWatches& watches, Clock::duration recheckAfter = recheckTime);
    ~LogindSessions() override;
    LogindSessions(const LogindSessions&) = delete;
    LogindSessions& operator=(const LogindSessions&) = delete;

    SignKind kind() const override { return SignKind::Presence; }
    void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) override;

private:
    struct Session {
        std::string path;
        std::string id;
        sd_bus_slot* pending = nullptr; // its properties asked for
        std::optional<SessionProperties> properties;
    };

    void connect(Clock::time_point now);
    // False when the question could not be sent.
    bool askOwnSession();
    void list(Clock::time_point now);
    // Whether a question is under way, whose answer a tick reads.
    bool awaitingAnswers() const;
    void add(const std::string& id, const std::string& path);
    void ask(Session& session);
    void forget();
    void dropSessions();
    bool own(const Session& session) const;
    static int onOwnSession(sd_bus_message* answer, void* self, sd_bus_error* error);
    static int onList(sd_bus_message* answer, void* self, sd_bus_error* error);
    static int onProperties(sd_bus_message* answer, void* session, sd_bus_error* error);
    static int onSessionNew(sd_bus_message* signal, void* self, sd_bus_error* error);
    static int onOwnerChanged(sd_bus_message* signal, void* self, sd_bus_error* error);
    static int onSessionRemoved(sd_bus_message* signal, void* self, sd_bus_error* error);

    const Clock::duration recheckAfter_;
    BusConnection system_;
    sd_bus_slot* ownerWatch_ = nullptr;
    sd_bus_slot* newWatch_ = nullptr;
    sd_bus_slot* removedWatch_ = nullptr;
    sd_bus_slot* ownQuestion_ = nullptr;
    sd_bus_slot* listing_ = nullptr;
    bool ownKnown_ = false; // signs wait until the program's own session is known
    std::string ownPath_;
    std::string ownId_;
    Clock::time_point listedAt_;
    std::map<std::string, Session> sessions_; // by object path
};

} // namespace dorvex

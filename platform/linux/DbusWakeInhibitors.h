#pragma once

#include "platform/WakeInhibitors.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <systemd/sd-bus.h>

namespace dorvex {

// Programs that keep the machine awake, as three services tell: the login manager's block
// inhibitors on the system bus, GNOME's session manager and KDE's power management on the
// session bus. The questions go out without waiting; each call reads the answers to the previous
// call's questions and asks again, so a slow or hung service never holds the caller up. A missing
// service, or one that has not answered `answerTime` after it was asked, counts as nobody.
class DbusWakeInhibitors : public WakeInhibitors {
public:
    static constexpr std::chrono::milliseconds answerTime{900}; // within the tick's second
    // A service that is not there, or a bus that cannot be reached, is asked again only after
    // this long: most desktops lack one of the three, and a question every second would wake the
    // bus for nothing.
    static constexpr std::chrono::seconds absentTime{30};

    DbusWakeInhibitors();
    ~DbusWakeInhibitors() override;
    DbusWakeInhibitors(const DbusWakeInhibitors&) = delete;
    DbusWakeInhibitors& operator=(const DbusWakeInhibitors&) = delete;

    std::optional<WakeInhibitor> holder() override;

private:
    // One bus, connected when first needed and again after it was lost.
    struct Connection {
        int (*open)(sd_bus**);
        sd_bus* bus = nullptr;
        std::chrono::steady_clock::time_point openAgainAt;
    };
    // One service's question, its call under way and its last answer.
    struct Question {
        Connection& connection;
        const char* service;
        const char* path;
        const char* interface;
        const char* method;
        std::optional<std::uint32_t> flags; // GNOME's only argument
        std::optional<WakeInhibitor> (*read)(sd_bus_message* answer);
        sd_bus_slot* pending = nullptr;
        std::chrono::steady_clock::time_point askedAt;
        std::chrono::steady_clock::time_point askAgainAt;
        std::optional<WakeInhibitor> answer;

        bool underWay() const { return pending != nullptr; }
    };

    void readAnswers(Connection& connection);
    // Connects unless the bus could not be reached lately.
    static bool connect(Connection& connection, std::chrono::steady_clock::time_point now);
    void ask(Question& question, std::chrono::steady_clock::time_point now);
    static int onAnswer(sd_bus_message* answer, void* question, sd_bus_error* error);

    Connection system_{&sd_bus_open_system};
    Connection session_{&sd_bus_open_user};
    std::array<Question, 3> questions_;
    std::chrono::steady_clock::time_point nextQuestionAt_; // the earliest a question is due
    std::optional<WakeInhibitor> found_;                   // the last call's result
};

} // namespace dorvex

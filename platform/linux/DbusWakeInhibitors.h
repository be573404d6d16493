#pragma once

#include "platform/SignsOfUse.h"
#include "platform/WakeInhibitors.h"
#include "platform/linux/BusConnection.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <ranges>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

namespace dorvex {

// Programs that keep the machine awake, as three services tell: the login manager's block
// inhibitors on the system bus, GNOME's session manager and KDE's power management on the
// session bus. Each service is asked when it comes onto its bus and whenever it signals that its
// inhibitors changed; a quiet tick sends nothing. The questions go out without waiting and their
// answers are read when they arrive, so a slow or hung service never holds the caller up; its
// last answer stands until the next one comes. A missing service, or one that has not answered
// `giveUpTime` after it was asked, counts as nobody, and is asked again.
class DbusWakeInhibitors : public SignSource {
public:
    using Clock = std::chrono::steady_clock;
    // A busy or swapping session manager may take seconds, and is still heard.
    static constexpr std::chrono::seconds giveUpTime{5};
    // A service is asked again this long after its last question even without a signal, in case
    // its inhibitors changed without telling.
    static constexpr std::chrono::seconds recheckTime{30};
    explicit DbusWakeInhibitors(ReadableWatches& watches,
                                Clock::duration recheckAfter = recheckTime,
                                Clock::duration giveUpAfter = giveUpTime);
    ~DbusWakeInhibitors() override;
    DbusWakeInhibitors(const DbusWakeInhibitors&) = delete;
    DbusWakeInhibitors& operator=(const DbusWakeInhibitors&) = delete;

    SignKind kind() const override { return SignKind::Presence; }
    void addSigns(std::chrono::seconds quietLimit, std::vector<std::string>& signs) override;
    // One program that keeps the machine awake now, if any does.
    std::optional<WakeInhibitor> holder();

private:
    // One service's question, its call under way and its last answer.
    struct Question {
        BusConnection& connection;
        const char* service;
        const char* path;
        const char* interface;
        const char* method;
        std::optional<std::uint32_t> flags; // GNOME's only argument
        std::string changeRule;             // matches the service's signals of a change
        std::string ownerRule;              // matches the service coming and going
        std::optional<WakeInhibitor> (*read)(sd_bus_message* answer);
        sd_bus_slot* pending = nullptr;
        sd_bus_slot* ownerWatch = nullptr;
        sd_bus_slot* changeWatch = nullptr;
        bool absent = false; // not on the bus: asked again only when it comes
        bool stale = true;   // asked at the next call
        Clock::time_point askedAt;
        std::optional<WakeInhibitor> answer;
    };

    // The questions that go out over the connection.
    auto questionsOn(const BusConnection& connection) {
        return questions_ | std::views::filter([&connection](const Question& question) {
                   return &question.connection == &connection;
               });
    }
    void connect(BusConnection& connection, Clock::time_point now);
    // What its services said no longer holds once the bus is gone.
    void forgetAnswersOn(const BusConnection& connection);
    void ask(Question& question, Clock::time_point now);
    // Keeps the first answer, and when the next call has something to do.
    void lookAgainAfter(Clock::time_point now);
    static int onAnswer(sd_bus_message* answer, void* question, sd_bus_error* error);
    static int onOwnerChanged(sd_bus_message* signal, void* question, sd_bus_error* error);
    static int onChange(sd_bus_message* signal, void* question, sd_bus_error* error);

    ReadableWatches& watches_;
    const Clock::duration recheckAfter_;
    const Clock::duration giveUpAfter_;
    // What arrived may be an answer or a change: the next call looks.
    BusConnection system_{watches_, &sd_bus_open_system,
                          [this] { nextLookAt_ = Clock::time_point::min(); },
                          [this] { forgetAnswersOn(system_); }};
    BusConnection session_{watches_, &sd_bus_open_user,
                           [this] { nextLookAt_ = Clock::time_point::min(); },
                           [this] { forgetAnswersOn(session_); }};
    std::array<Question, 3> questions_;
    Clock::time_point nextLookAt_;
    std::optional<WakeInhibitor> found_; // the first answer at the last look
};

} // namespace dorvex

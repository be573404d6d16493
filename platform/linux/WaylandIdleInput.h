#pragma once

#include "platform/linux/InputSincePoll.h"

#include <chrono>
#include <cstdint>
#include <string>

struct wl_callback;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;

namespace dorvex {

// Keyboard and mouse through the compositor's idle notices, on a Wayland connection of the
// program's own: ext_idle_notifier_v1, else org_kde_kwin_idle, with a one-second timeout. Both
// honour the programs that keep the session awake (idle inhibitors: film players, browsers),
// which count as input. There was input in a poll when the compositor has not said "idle", has
// said "resumed" since the previous poll, or refuses to go idle: an inhibitor taken while the
// session is idle sends nothing, so while idle a fresh notice is asked every few seconds, and
// one that does not go idle in time means the session is kept awake. Each poll reads what has
// arrived without waiting.
class WaylandIdleInput : public InputSincePoll {
public:
    // Connects to the compositor at `socket` and waits at most `firstAnswer` for its answer.
    WaylandIdleInput(const std::string& socket, std::chrono::milliseconds firstAnswer,
                     std::ostream& diagnostics = std::cerr);
    ~WaylandIdleInput() override;
    WaylandIdleInput(const WaylandIdleInput&) = delete;
    WaylandIdleInput& operator=(const WaylandIdleInput&) = delete;

    // The protocol watched; empty when there is no compositor, it offers neither or it has not
    // answered yet.
    const std::string& protocol() const { return protocol_; }
    std::string sourceName() const override { return "Wayland " + protocol_; }
    // The compositor took the connection but has not answered yet: still starting, or busy.
    bool awaitingAnswer() const { return sync_ != nullptr && !lost_; }
    // It answered and the connection still holds.
    bool answered() const { return display_ != nullptr && sync_ == nullptr && !lost_; }
    // Takes the answer if it has come since, without waiting.
    void readLateAnswer();

protected:
    bool inputSinceLastPoll() override;

private:
    using Clock = std::chrono::steady_clock;
    // One idle notice for the seat, by whichever protocol is watched.
    struct Notice {
        ext_idle_notification_v1* ext = nullptr;
        org_kde_kwin_idle_timeout* kde = nullptr;
        bool idle = false;    // the compositor's last word was "idle"
        bool resumed = false; // it said "resumed" since the previous poll
        Clock::time_point asked;
    };

    void ask(Notice& notice);
    void release(Notice& notice);
    bool keptAwake(Clock::time_point now);
    bool readEvents(std::chrono::milliseconds wait);
    static void onGlobal(void* self, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    template <bool Idle, typename Object> static void onNotice(void* notice, Object* object);
    static void onSynced(void* self, wl_callback* callback, std::uint32_t serial);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_callback* sync_ = nullptr; // the start-up question, until answered
    bool lost_ = false;
    wl_seat* seat_ = nullptr;
    // The newer protocol when offered, else the older one.
    ext_idle_notifier_v1* notifier_ = nullptr;
    org_kde_kwin_idle* kdeIdle_ = nullptr;
    std::string protocol_;
    Notice watched_; // from the answer on
    Notice probe_;   // asked while the session is idle, until it goes idle too
    Clock::time_point nextProbe_;
};

} // namespace dorvex

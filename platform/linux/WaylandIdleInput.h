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
// program's own: ext_idle_notifier_v1 (version 2's notice of input alone when offered), else
// org_kde_kwin_idle, with a one-second timeout. There was input in a poll when the compositor has
// not said "idle", or has said "resumed" since the previous poll. Each poll reads what has arrived
// without waiting.
class WaylandIdleInput : public InputSincePoll {
public:
    // Connects to the compositor in $WAYLAND_DISPLAY, if any, and waits a moment for its answer.
    explicit WaylandIdleInput(std::ostream& diagnostics = std::cerr);
    ~WaylandIdleInput() override;
    WaylandIdleInput(const WaylandIdleInput&) = delete;
    WaylandIdleInput& operator=(const WaylandIdleInput&) = delete;

    // The protocol watched; empty when there is no compositor, it offers neither or it has not
    // answered yet.
    const std::string& protocol() const { return protocol_; }
    // The compositor took the connection but has not answered yet: still starting, or busy.
    bool awaitingAnswer() const { return sync_ != nullptr && !lost_; }
    // Takes the answer if it has come since, without waiting.
    void readLateAnswer();

protected:
    bool inputSinceLastPoll() override;

private:
    void watch();
    bool readEvents(std::chrono::milliseconds wait);
    static void onGlobal(void* self, wl_registry* registry, std::uint32_t name,
                         const char* interface, std::uint32_t version);
    template <bool Idle, typename Notice> static void onNotice(void* self, Notice* notice);
    static void onSynced(void* self, wl_callback* callback, std::uint32_t serial);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_callback* sync_ = nullptr; // the start-up question, until answered
    bool lost_ = false;
    wl_seat* seat_ = nullptr;
    // The newer protocol when offered, else the older one; and its notices for the seat.
    ext_idle_notifier_v1* notifier_ = nullptr;
    std::uint32_t notifierVersion_ = 0;
    ext_idle_notification_v1* notification_ = nullptr;
    org_kde_kwin_idle* kdeIdle_ = nullptr;
    org_kde_kwin_idle_timeout* kdeTimeout_ = nullptr;
    std::string protocol_;
    bool idle_ = false;    // the compositor's last word was "idle"
    bool resumed_ = false; // it said "resumed" since the previous poll
};

} // namespace dorvex

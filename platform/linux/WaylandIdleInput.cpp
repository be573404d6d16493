#include "platform/linux/WaylandIdleInput.h"

#include "ext-idle-notify-v1-client.h"
#include "idle-client.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <utility>
#include <wayland-client.h>

namespace dorvex {

namespace {

constexpr std::uint32_t timeoutMs = 1000;
// Version 2 adds the notice of input alone, which ignores programs that keep the session awake;
// the protocol files installed at build time say whether it can be asked for.
#ifdef EXT_IDLE_NOTIFIER_V1_GET_INPUT_IDLE_NOTIFICATION_SINCE_VERSION
constexpr std::uint32_t newestNotifier = 2;
#else
constexpr std::uint32_t newestNotifier = 1;
#endif

constexpr const char* lost = "the connection to the Wayland compositor was lost";

// The answer at start-up is waited for this long at most: a compositor that has stopped, or a
// socket that nobody serves, would hold the program for good. A later answer is taken at a poll.
constexpr std::chrono::milliseconds firstAnswer{250};

} // namespace

WaylandIdleInput::WaylandIdleInput(std::ostream& diagnostics) : InputSincePoll(diagnostics) {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    // Without the variable libwayland would try "wayland-0", which may belong to another session.
    if (name == nullptr || *name == '\0' || (display_ = wl_display_connect(name)) == nullptr) {
        return;
    }
    static const wl_registry_listener registryListener{&onGlobal, nullptr};
    registry_ = wl_display_get_registry(display_);
    wl_registry_add_listener(registry_, &registryListener, this);
    // Once at start-up: the globals, and the objects bound to them, all there once the compositor
    // has answered the sync that follows them.
    static const wl_callback_listener syncListener{&onSynced};
    sync_ = wl_display_sync(display_);
    wl_callback_add_listener(sync_, &syncListener, this);
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + firstAnswer;
    for (auto left = firstAnswer; awaitingAnswer() && left.count() > 0;
         left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now())) {
        if (!readEvents(left)) {
            lost_ = true;
        }
    }
}

void WaylandIdleInput::readLateAnswer() {
    if (awaitingAnswer() && !readEvents(std::chrono::milliseconds(0))) {
        lost_ = true;
    }
}

void WaylandIdleInput::onSynced(void* self, wl_callback* callback, std::uint32_t /*serial*/) {
    auto& input = *static_cast<WaylandIdleInput*>(self);
    wl_callback_destroy(callback);
    input.sync_ = nullptr;
    if (input.seat_ != nullptr) {
        input.watch();
    }
}

WaylandIdleInput::~WaylandIdleInput() {
    if (display_ == nullptr) {
        return;
    }
    if (sync_ != nullptr) {
        wl_callback_destroy(sync_);
    }
    if (notification_ != nullptr) {
        ext_idle_notification_v1_destroy(notification_);
    }
    if (notifier_ != nullptr) {
        ext_idle_notifier_v1_destroy(notifier_);
    }
    if (kdeTimeout_ != nullptr) {
        org_kde_kwin_idle_timeout_release(kdeTimeout_);
    }
    if (kdeIdle_ != nullptr) {
        org_kde_kwin_idle_destroy(kdeIdle_);
    }
    if (seat_ != nullptr) {
        wl_seat_destroy(seat_);
    }
    wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

void WaylandIdleInput::onGlobal(void* self, wl_registry* registry, std::uint32_t name,
                                const char* interface, std::uint32_t version) {
    auto& input = *static_cast<WaylandIdleInput*>(self);
    const auto bind = [&](const wl_interface& wanted, auto*& bound, std::uint32_t newest) {
        if (bound == nullptr && std::strcmp(interface, wanted.name) == 0) {
            const std::uint32_t used = std::min(version, newest);
            bound = static_cast<std::remove_reference_t<decltype(bound)>>(
                wl_registry_bind(registry, name, &wanted, used));
            return used;
        }
        return 0U;
    };
    bind(wl_seat_interface, input.seat_, 1);
    bind(org_kde_kwin_idle_interface, input.kdeIdle_, 1);
    if (const std::uint32_t used =
            bind(ext_idle_notifier_v1_interface, input.notifier_, newestNotifier)) {
        input.notifierVersion_ = used;
    }
}

template <bool Idle, typename Notice>
void WaylandIdleInput::onNotice(void* self, Notice* /*notice*/) {
    auto& input = *static_cast<WaylandIdleInput*>(self);
    input.idle_ = Idle;
    input.resumed_ = input.resumed_ || !Idle;
}

void WaylandIdleInput::watch() {
    if (notifier_ != nullptr) {
        static const ext_idle_notification_v1_listener listener{
            &onNotice<true, ext_idle_notification_v1>, &onNotice<false, ext_idle_notification_v1>};
#ifdef EXT_IDLE_NOTIFIER_V1_GET_INPUT_IDLE_NOTIFICATION_SINCE_VERSION
        notification_ =
            notifierVersion_ >= 2
                ? ext_idle_notifier_v1_get_input_idle_notification(notifier_, timeoutMs, seat_)
                : ext_idle_notifier_v1_get_idle_notification(notifier_, timeoutMs, seat_);
#else
        notification_ = ext_idle_notifier_v1_get_idle_notification(notifier_, timeoutMs, seat_);
#endif
        ext_idle_notification_v1_add_listener(notification_, &listener, this);
        protocol_ = "ext_idle_notifier_v1 version " + std::to_string(notifierVersion_);
    } else if (kdeIdle_ != nullptr) {
        static const org_kde_kwin_idle_timeout_listener listener{
            &onNotice<true, org_kde_kwin_idle_timeout>,
            &onNotice<false, org_kde_kwin_idle_timeout>};
        kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, timeoutMs);
        org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &listener, this);
        protocol_ = "org_kde_kwin_idle";
    }
    wl_display_flush(display_);
}

bool WaylandIdleInput::inputSinceLastPoll() {
    if (!readEvents(std::chrono::milliseconds(0))) {
        cannotWatch(lost);
    }
    const bool resumed = std::exchange(resumed_, false);
    return !idle_ || resumed;
}

// Reads and handles what the compositor has sent, waiting at most `wait` for something to
// arrive: a poll waits for nothing, so the process wakes for its own poll alone. False once the
// connection is lost.
bool WaylandIdleInput::readEvents(std::chrono::milliseconds wait) {
    while (wl_display_prepare_read(display_) != 0) {
        if (wl_display_dispatch_pending(display_) < 0) {
            return false;
        }
    }
    wl_display_flush(display_);
    pollfd ready{wl_display_get_fd(display_), POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(wait.count())) > 0) {
        if (wl_display_read_events(display_) < 0) {
            return false;
        }
    } else {
        wl_display_cancel_read(display_);
    }
    return wl_display_dispatch_pending(display_) >= 0;
}

} // namespace dorvex

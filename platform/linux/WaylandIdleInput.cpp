#include "platform/linux/WaylandIdleInput.h"

#include "ext-idle-notify-v1-client.h"
#include "idle-client.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <utility>
#include <wayland-client.h>

namespace dorvex {

namespace {

constexpr std::chrono::milliseconds timeout{1000};
// A session idle for this long is asked again with a fresh notice.
constexpr std::chrono::seconds probeEvery{4};
// A fresh notice on an idle session goes idle after the timeout; a compositor that is slow to
// say so on a busy machine must not pass for one that refuses.
constexpr std::chrono::milliseconds probeAnswer = timeout + std::chrono::seconds(2);

constexpr const char* lost = "the connection to the Wayland compositor was lost";

} // namespace

WaylandIdleInput::WaylandIdleInput(const std::string& socket, std::chrono::milliseconds firstAnswer,
                                   std::ostream& diagnostics)
    : InputSincePoll(diagnostics) {
    if ((display_ = wl_display_connect(socket.c_str())) == nullptr) {
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
    const auto end = Clock::now() + firstAnswer;
    // A compositor that has stopped, or a socket that nobody serves, would hold the program for
    // good: a later answer is taken at a poll.
    do {
        const auto left =
            std::max(std::chrono::milliseconds(0),
                     std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()));
        if (!readEvents(left)) {
            lost_ = true;
        }
    } while (awaitingAnswer() && Clock::now() < end);
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
    if (input.seat_ == nullptr) {
        return;
    }
    if (input.notifier_ != nullptr) {
        input.protocol_ = "ext_idle_notifier_v1";
    } else if (input.kdeIdle_ != nullptr) {
        input.protocol_ = "org_kde_kwin_idle";
    }
    input.ask(input.watched_);
}

WaylandIdleInput::~WaylandIdleInput() {
    if (display_ == nullptr) {
        return;
    }
    if (sync_ != nullptr) {
        wl_callback_destroy(sync_);
    }
    release(watched_);
    release(probe_);
    if (notifier_ != nullptr) {
        ext_idle_notifier_v1_destroy(notifier_);
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
                                const char* interface, std::uint32_t /*version*/) {
    auto& input = *static_cast<WaylandIdleInput*>(self);
    // Version 1 of each is all that is used: version 2 of ext_idle_notifier_v1 adds a notice of
    // input alone, which ignores the programs that keep the session awake.
    const auto bind = [&](const wl_interface& wanted, auto*& bound) {
        if (bound == nullptr && std::strcmp(interface, wanted.name) == 0) {
            bound = static_cast<std::remove_reference_t<decltype(bound)>>(
                wl_registry_bind(registry, name, &wanted, 1));
        }
    };
    bind(wl_seat_interface, input.seat_);
    bind(org_kde_kwin_idle_interface, input.kdeIdle_);
    bind(ext_idle_notifier_v1_interface, input.notifier_);
}

template <bool Idle, typename Object> void WaylandIdleInput::onNotice(void* notice, Object*) {
    auto& told = *static_cast<Notice*>(notice);
    told.idle = Idle;
    told.resumed = told.resumed || !Idle;
}

void WaylandIdleInput::ask(Notice& notice) {
    const auto ms = static_cast<std::uint32_t>(timeout.count());
    notice = Notice{.asked = Clock::now()};
    if (notifier_ != nullptr) {
        static const ext_idle_notification_v1_listener listener{
            &onNotice<true, ext_idle_notification_v1>, &onNotice<false, ext_idle_notification_v1>};
        notice.ext = ext_idle_notifier_v1_get_idle_notification(notifier_, ms, seat_);
        ext_idle_notification_v1_add_listener(notice.ext, &listener, &notice);
    } else if (kdeIdle_ != nullptr) {
        static const org_kde_kwin_idle_timeout_listener listener{
            &onNotice<true, org_kde_kwin_idle_timeout>,
            &onNotice<false, org_kde_kwin_idle_timeout>};
        notice.kde = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, ms);
        org_kde_kwin_idle_timeout_add_listener(notice.kde, &listener, &notice);
    }
    wl_display_flush(display_);
}

void WaylandIdleInput::release(Notice& notice) {
    if (notice.ext != nullptr) {
        ext_idle_notification_v1_destroy(notice.ext);
    }
    if (notice.kde != nullptr) {
        org_kde_kwin_idle_timeout_release(notice.kde);
    }
    notice = Notice{};
}

bool WaylandIdleInput::inputSinceLastPoll() {
    if (!readEvents(std::chrono::milliseconds(0))) {
        lost_ = true;
        cannotWatch(lost);
    }
    const auto now = Clock::now();
    const bool resumed = std::exchange(watched_.resumed, false);
    if (!watched_.idle || resumed) {
        release(probe_);
        nextProbe_ = now + probeEvery;
        return true;
    }
    return keptAwake(now);
}

// The compositor stops its timers for an inhibitor and says nothing to a notice that has gone
// idle already; a notice asked while the inhibitor holds never goes idle.
bool WaylandIdleInput::keptAwake(Clock::time_point now) {
    if (probe_.ext == nullptr && probe_.kde == nullptr) {
        if (now >= nextProbe_) {
            ask(probe_);
        }
        return false;
    }
    if (probe_.idle) {
        release(probe_);
        nextProbe_ = now + probeEvery;
        return false;
    }
    return now - probe_.asked >= probeAnswer;
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

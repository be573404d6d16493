#include "platform/fake/FakeWindowSystem.h"

#include <algorithm>

namespace dorvex {

void FakeWindowSystem::load(WindowModel& window, WindowEvents& events) {
    windows_.push_back({&window, &events});
    update();
}

void FakeWindowSystem::unload(WindowModel& window) {
    std::erase_if(windows_, [&](const Loaded& w) { return w.model == &window; });
    std::erase_if(timers_, [&](const ArmedTimer& t) { return t.window == &window; });
}

void FakeWindowSystem::update() {
    for (const Loaded& loaded : windows_) {
        for (const Control& control : loaded.model->controls) {
            if (control.kind != ControlKind::Timer) {
                continue;
            }
            auto armed = std::ranges::find_if(timers_, [&](const ArmedTimer& t) {
                return t.window == loaded.model && t.name == control.name;
            });
            const bool runs = control.enabled && control.intervalMs > 0;
            if (!runs) {
                if (armed != timers_.end()) {
                    timers_.erase(armed);
                }
            } else if (armed == timers_.end()) {
                timers_.push_back({loaded.model, control.name, control.starts,
                                   clock_.elapsed() + control.intervalMs});
            } else if (armed->starts != control.starts) {
                armed->starts = control.starts;
                armed->due = clock_.elapsed() + control.intervalMs;
            }
        }
    }
}

void FakeWindowSystem::runFor(std::int64_t milliseconds) {
    const std::int64_t target = clock_.elapsed() + milliseconds;
    for (;;) {
        auto next = std::ranges::min_element(timers_, {}, &ArmedTimer::due);
        if (next == timers_.end() || next->due > target) {
            break;
        }
        clock_.advance(next->due - clock_.elapsed());
        WindowModel* window = next->window;
        const std::string name = next->name;
        const Control* control = window->find(name);
        next->due += control->intervalMs;
        events(window->name)->timer(name);
    }
    // A box that waited inside one of the events may have moved the clock past the target.
    if (target > clock_.elapsed()) {
        clock_.advance(target - clock_.elapsed());
    }
}

void FakeWindowSystem::clearRecords() {
    messages_.clear();
    trayRequests_.clear();
    menusShown.clear();
    openedUrls.clear();
}

WindowModel* FakeWindowSystem::window(std::string_view name) const {
    const auto it =
        std::ranges::find_if(windows_, [&](const Loaded& w) { return w.model->name == name; });
    return it == windows_.end() ? nullptr : it->model;
}

WindowEvents* FakeWindowSystem::events(std::string_view name) const {
    const auto it =
        std::ranges::find_if(windows_, [&](const Loaded& w) { return w.model->name == name; });
    return it == windows_.end() ? nullptr : it->events;
}

void FakeWindowSystem::messageBox(const std::string& title, const std::string& text,
                                  MessageIcon icon) {
    messages_.push_back({title, text, icon});
    if (whileMessageOpen) {
        whileMessageOpen(messages_.back());
    }
}

void FakeWindowSystem::timedMessageBox(const std::string& title, const std::string& text,
                                       MessageIcon icon, int milliseconds) {
    messages_.push_back({title, text, icon, milliseconds});
    if (whileMessageOpen) {
        whileMessageOpen(messages_.back());
    }
    const std::int64_t open = userClosesTimedBoxAfterMs > 0
                                  ? std::min<std::int64_t>(userClosesTimedBoxAfterMs, milliseconds)
                                  : milliseconds;
    // The box waits in a nested event loop, where the program's timers go on firing.
    runFor(open);
}

std::string FakeWindowSystem::popupMenu(WindowModel& window) {
    std::vector<std::string> shown;
    std::vector<std::string> offered; // as a real menu, the items as they were when it opened
    for (const MenuItem& item : window.menu) {
        if (item.visible) {
            shown.push_back(item.caption + (item.enabled ? "" : " (disabled)"));
            if (item.enabled) {
                offered.push_back(item.name);
            }
        }
    }
    menusShown.push_back(std::move(shown));
    // The menu waits in a nested event loop, where the program's timers go on firing.
    runFor(menuOpenForMs);
    if (menuChoices.empty()) {
        return {};
    }
    std::string choice = menuChoices.front();
    menuChoices.erase(menuChoices.begin());
    return std::ranges::find(offered, choice) != offered.end() ? choice : std::string{};
}

void FakeWindowSystem::setForeground(WindowModel& /*window*/) {
    ++foregroundRequests;
}

bool FakeWindowSystem::openUrl(const std::string& url) {
    openedUrls.push_back(url);
    return !openUrlFails;
}

void FakeWindowSystem::trayAdd(const TrayIcon& icon) {
    if (trayShown_) {
        trayRequests_.push_back("add " + icon.picture + " (failed)");
        return;
    }
    trayShown_ = true;
    trayIcon_ = icon;
    trayRequests_.push_back("add " + icon.picture);
}

void FakeWindowSystem::trayModify(const TrayIcon& icon) {
    if (!trayShown_) {
        trayRequests_.push_back("modify " + icon.picture + " (failed)");
        return;
    }
    // A request that changes only the status line or the attention is not recorded.
    const bool picture =
        icon.status == trayIcon_.status && icon.attentionMs == trayIcon_.attentionMs;
    trayIcon_ = icon;
    if (picture) {
        trayRequests_.push_back("modify " + icon.picture);
    }
}

void FakeWindowSystem::trayDelete() {
    trayRequests_.emplace_back(trayShown_ ? "delete" : "delete (failed)");
    trayShown_ = false;
}

} // namespace dorvex

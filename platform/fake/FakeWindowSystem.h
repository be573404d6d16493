#pragma once

#include "platform/WindowSystem.h"
#include "platform/fake/FakeClock.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dorvex {

struct ShownMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    int closesAfterMs = 0; // a timed box: when it closes by itself; 0 for an ordinary box
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// A window system without windows: it keeps the loaded models, records boxes and tray requests,
// and fires the models' timers as the test advances the clock.
class FakeWindowSystem : public WindowSystem {
public:
    explicit FakeWindowSystem(FakeClock& clock) : clock_(clock) {}

    void load(WindowModel& window, WindowEvents& events) override;
    void unload(WindowModel& window) override;
    void update() override;
    void messageBox(const std::string& title, const std::string& text, MessageIcon icon) override;
    void timedMessageBox(const std::string& title, const std::string& text, MessageIcon icon,
                         int milliseconds) override;
    std::string popupMenu(WindowModel& window) override;
    void setForeground(WindowModel& window) override;
    ScreenSize screenSize() override { return screen; }
    bool openUrl(const std::string& url) override;
    void trayAdd(const TrayIcon& icon) override;
    void trayModify(const TrayIcon& icon) override;
    void trayDelete() override;
    bool trayAvailable() override { return trayHost; }

    // Advances the clock, firing every timer that falls due on the way, in time order.
    void runFor(std::int64_t milliseconds);
    // Forgets what was recorded, for runs of millions of ticks.
    void clearRecords();

    WindowModel* window(std::string_view name) const;
    WindowEvents* events(std::string_view name) const;
    const std::vector<ShownMessage>& messages() const { return messages_; }
    bool trayShown() const { return trayShown_; }
    const TrayIcon& trayIcon() const { return trayIcon_; }
    // Every tray request in order but those that change only the status line or the attention:
    // "add <picture>", "modify <picture>" or "delete", with " (failed)" where it failed.
    const std::vector<std::string>& trayRequests() const { return trayRequests_; }

    // Runs while a message box is open, as a user or a timer acting then would.
    std::function<void(const ShownMessage&)> whileMessageOpen;
    // How long the user takes to press OK on a timed box; it closes by itself when that is
    // longer than its time. Time passes while it is open, and timers fire.
    std::int64_t userClosesTimedBoxAfterMs = 0;
    // The menu item the user picks from the next popup menus, in order; "" dismisses the menu.
    std::vector<std::string> menuChoices;
    // How long the user keeps each popup menu open. Time passes meanwhile, and timers fire.
    std::int64_t menuOpenForMs = 0;
    // Every popup menu shown: the captions of its visible items, with "(disabled)" marks.
    std::vector<std::vector<std::string>> menusShown;
    std::vector<std::string> openedUrls;
    bool openUrlFails = false;
    bool trayHost = true; // the desktop has a notification area
    int foregroundRequests = 0;
    ScreenSize screen{19200, 10800}; // 1280 x 720 pixels at 15 twips a pixel

private:
    struct Loaded {
        WindowModel* model;
        WindowEvents* events;
    };
    struct ArmedTimer {
        WindowModel* window;
        std::string name;
        std::uint32_t starts;
        std::int64_t due;
    };

    FakeClock& clock_;
    std::vector<Loaded> windows_;
    std::vector<ArmedTimer> timers_;
    std::vector<ShownMessage> messages_;
    bool trayShown_ = false;
    TrayIcon trayIcon_;
    std::vector<std::string> trayRequests_;
};

} // namespace dorvex

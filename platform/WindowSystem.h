#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"

#include <string>

namespace dorvex {

enum class MessageIcon { None, Stop, Exclamation };

struct TrayIcon {
    std::string picture;
    std::string tip;
    friend bool operator==(const TrayIcon&, const TrayIcon&) = default;
};

// Native windows made from window models. Every call comes from the program's one thread; events
// reach the windows' handlers on that thread.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    // Creates the native window for a model; it is shown when the model says visible.
    virtual void load(WindowModel& window, WindowEvents& events) = 0;
    virtual void unload(WindowModel& window) = 0;
    // Brings every loaded window, and its timers, in line with its model.
    virtual void update() = 0;
    // A modal box with an OK button; returns when the user has closed it.
    virtual void messageBox(const std::string& title, const std::string& text,
                            MessageIcon icon) = 0;
    // The notification-area icon. Adding an icon that exists, or changing or deleting one that
    // does not, fails without effect.
    virtual void trayAdd(const TrayIcon& icon) = 0;
    virtual void trayModify(const TrayIcon& icon) = 0;
    virtual void trayDelete() = 0;
};

} // namespace dorvex

#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"

#include <cstdint>
#include <string>

namespace dorvex {

enum class MessageIcon { None, Stop, Exclamation };

struct ScreenSize {
    int width = 0; // twips
    int height = 0;
};

struct TrayIcon {
    std::string picture;
    std::string tip;
    std::string status{}; // the program's status line, shown below the tip where the tray can
    // Above 0 the icon asks for attention for at most that long, where the tray can show it (a
    // StatusNotifierItem's NeedsAttention).
    int attentionMs = 0;
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
    // A modal box with an OK button; returns when the user has closed it. Before it blocks, the
    // window system brings every window in line with its model.
    virtual void messageBox(const std::string& title, const std::string& text,
                            MessageIcon icon) = 0;
    // The same box, closing by itself after the given time unless the user closed it before.
    // Closes only its own box.
    virtual void timedMessageBox(const std::string& title, const std::string& text,
                                 MessageIcon icon, int milliseconds) = 0;
    // The window's popup menu at the mouse position, modal; the visible items in order,
    // separators for "-". Returns the chosen item's name, or nothing when dismissed.
    virtual std::string popupMenu(WindowModel& window) = 0;
    // Brings the window and the program to the foreground.
    virtual void setForeground(WindowModel& window) = 0;
    virtual ScreenSize screenSize() = 0;
    // Opens the address in the user's browser; false when that could not be started.
    virtual bool openUrl(const std::string& url) = 0;
    // The notification-area icon. Adding an icon that exists, or changing or deleting one that
    // does not, fails without effect.
    virtual void trayAdd(const TrayIcon& icon) = 0;
    virtual void trayModify(const TrayIcon& icon) = 0;
    virtual void trayDelete() = 0;
    // Whether the desktop has a notification area to show the icon in.
    virtual bool trayAvailable() = 0;
};

} // namespace dorvex

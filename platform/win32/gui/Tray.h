#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowSystem.h"
#include "platform/win32/gui/Pictures.h"

#include <windows.h>

#include <functional>

namespace dorvex::win32 {

// The notification-area icon through Shell_NotifyIconA, its mouse messages sent to the owner
// window with the callback message and passed on to the receiver as the codes the program knows.
class Tray {
public:
    static constexpr UINT callbackMessage = WM_APP + 1;

    Tray(HWND owner, Pictures& pictures, std::function<WindowEvents*()> receiver)
        : owner_(owner), pictures_(pictures), receiver_(std::move(receiver)) {}
    ~Tray() { remove(); }
    Tray(const Tray&) = delete;
    Tray& operator=(const Tray&) = delete;

    bool add(const TrayIcon& icon);
    bool modify(const TrayIcon& icon);
    bool remove();
    // Explorer started again: the icon it had goes back in.
    void restore();
    // The callback message's second parameter: the mouse message on the icon.
    void mouse(LPARAM message);

private:
    bool send(DWORD operation, const TrayIcon& icon);

    HWND owner_;
    Pictures& pictures_;
    std::function<WindowEvents*()> receiver_;
    bool shown_ = false;
    TrayIcon icon_;
};

} // namespace dorvex::win32

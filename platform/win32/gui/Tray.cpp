#include "platform/win32/gui/Tray.h"

#include <shellapi.h>

#include <algorithm>

namespace dorvex::win32 {

bool Tray::add(const TrayIcon& icon) {
    if (shown_ || !send(NIM_ADD, icon)) {
        return false;
    }
    shown_ = true;
    return true;
}

bool Tray::modify(const TrayIcon& icon) {
    // The program sets the icon every second: only a change of what the shell shows reaches it.
    if (!shown_ || (icon.picture == icon_.picture && icon.tip == icon_.tip)) {
        return shown_;
    }
    return send(NIM_MODIFY, icon);
}

bool Tray::remove() {
    if (!shown_) {
        return false;
    }
    shown_ = false;
    return send(NIM_DELETE, icon_);
}

void Tray::restore() {
    if (shown_) {
        send(NIM_ADD, icon_);
    }
}

bool Tray::send(DWORD operation, const TrayIcon& icon) {
    NOTIFYICONDATAA data{sizeof data};
    data.hWnd = owner_;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    // An unknown picture keeps the one shown.
    const int size = GetSystemMetrics(SM_CXSMICON);
    const bool known = pictures_.icon(icon.picture, size) != nullptr;
    const std::string& shownPicture = known ? icon.picture : icon_.picture;
    data.hIcon = pictures_.icon(shownPicture, size);
    const std::size_t tipLength = std::min(icon.tip.size(), sizeof data.szTip - 1);
    std::copy_n(icon.tip.begin(), tipLength, data.szTip);
    if (Shell_NotifyIconA(operation, &data) == FALSE) {
        return false;
    }
    icon_ = {shownPicture, icon.tip};
    return true;
}

void Tray::mouse(LPARAM message) {
    constexpr int doubleClickCode = 0x0203;
    constexpr int rightButtonDownCode = 0x0204;
    const auto code = static_cast<int>(LOWORD(message));
    WindowEvents* const events = receiver_();
    if (events != nullptr && (code == doubleClickCode || code == rightButtonDownCode)) {
        events->trayMouse(code);
    }
}

} // namespace dorvex::win32

#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowSystem.h"
#include "platform/qt/Pictures.h"

#include <QMenu>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <optional>

namespace dorvex::qt {

// The one notification-area icon. Its double click (on a StatusNotifierItem host its activation)
// and context click reach the program as the mouse codes 0x0203 and 0x0204; the program shows the
// menu itself. A StatusNotifierItem host shows the menu of its own accord as well: Qt exports it
// there over dbusmenu, brought in line with the window's menu whenever the host is about to show
// it, and the item chosen reaches the window as its menu event. There the icon also asks for
// attention when the program says so.
class Tray {
public:
    // `window` gives the window whose menu the icon shows, or none; `receiver` gives that
    // window's events, or none while a box blocks it.
    Tray(Pictures& pictures, std::function<const WindowModel*()> window,
         std::function<WindowEvents*()> receiver)
        : pictures_(pictures), window_(std::move(window)), receiver_(std::move(receiver)) {}

    // Each fails without effect (and says false) when the icon is shown or, for the others, not.
    bool add(const TrayIcon& icon);
    bool modify(const TrayIcon& icon);
    bool remove();

private:
    // A new icon in place of the one there: Qt ends an attention only when its time runs out.
    void renew();
    void show(const TrayIcon& icon);
    void syncMenu();
    void activated(QSystemTrayIcon::ActivationReason reason);
    void chosen(const QString& item);

    Pictures& pictures_;
    std::function<const WindowModel*()> window_;
    std::function<WindowEvents*()> receiver_;
    std::unique_ptr<QSystemTrayIcon> icon_; // made on first use: most runs of a test have none
    std::unique_ptr<QMenu> menu_;           // on a StatusNotifierItem host only
    std::optional<bool> statusNotifier_;    // found when the first icon is made, as Qt does
    TrayIcon shown_;
};

} // namespace dorvex::qt

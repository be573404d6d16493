#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowSystem.h"
#include "platform/qt/Pictures.h"

#include <QSystemTrayIcon>

#include <functional>
#include <memory>

namespace dorvex::qt {

// The one notification-area icon. Its double click (on a StatusNotifierItem host its activation)
// and context click reach the program as the mouse codes 0x0203 and 0x0204; the program shows the
// menu itself.
class Tray {
public:
    // `receiver` gives the events of the window that takes the icon's mouse events, or none.
    Tray(Pictures& pictures, std::function<WindowEvents*()> receiver)
        : pictures_(pictures), receiver_(std::move(receiver)) {}

    // Each fails without effect (and says false) when the icon is shown or, for the others, not.
    bool add(const TrayIcon& icon);
    bool modify(const TrayIcon& icon);
    bool remove();

private:
    void show(const TrayIcon& icon);
    void activated(QSystemTrayIcon::ActivationReason reason);

    Pictures& pictures_;
    std::function<WindowEvents*()> receiver_;
    std::unique_ptr<QSystemTrayIcon> icon_; // made on first use: most runs of a test have none
    TrayIcon shown_;
    bool opensOnTrigger_ = false;
};

} // namespace dorvex::qt

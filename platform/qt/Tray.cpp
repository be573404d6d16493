#include "platform/qt/Tray.h"

#include "platform/qt/Conversions.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QGuiApplication>

namespace dorvex::qt {

namespace {

constexpr int doubleClickCode = 0x0203;
constexpr int rightButtonDownCode = 0x0204;

// Qt shows the icon as a StatusNotifierItem on Wayland and where a host's watcher is on the
// session bus. Such hosts (KDE Plasma, GNOME's tray extension) send a single activation, which Qt
// reports as a trigger, and never a double click.
bool activatesWithOneClick() {
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
        return true;
    }
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr &&
           bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

} // namespace

bool Tray::add(const TrayIcon& icon) {
    if (icon_ && icon_->isVisible()) {
        return false;
    }
    if (!icon_) {
        // A child of the application, so that tools and tests can find it.
        icon_ = std::make_unique<QSystemTrayIcon>(QCoreApplication::instance());
        icon_->setObjectName(QStringLiteral("trayIcon"));
        opensOnTrigger_ = activatesWithOneClick();
        // Queued: on X11 the icon's widget emits this inside its own mouse event, and the program
        // may remove the icon (which deletes that widget) before the event's delivery ends.
        QObject::connect(
            icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
            [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); },
            Qt::QueuedConnection);
    }
    shown_ = {};
    show(icon);
    icon_->show();
    return true;
}

bool Tray::modify(const TrayIcon& icon) {
    if (!icon_ || !icon_->isVisible()) {
        return false;
    }
    show(icon);
    return true;
}

bool Tray::remove() {
    if (!icon_ || !icon_->isVisible()) {
        return false;
    }
    icon_->hide();
    return true;
}

void Tray::show(const TrayIcon& icon) {
    // The program sets the icon every second: only a change reaches the tray.
    if (icon.picture != shown_.picture) {
        const QIcon& picture = pictures_.icon(icon.picture);
        // An unknown picture keeps the one shown.
        if (!picture.isNull()) {
            icon_->setIcon(picture);
            shown_.picture = icon.picture;
        }
    }
    if (icon.tip != shown_.tip) {
        icon_->setToolTip(toQString(icon.tip));
        shown_.tip = icon.tip;
    }
}

void Tray::activated(QSystemTrayIcon::ActivationReason reason) {
    WindowEvents* events = receiver_();
    if (events == nullptr) {
        return;
    }
    if (reason == QSystemTrayIcon::DoubleClick ||
        (reason == QSystemTrayIcon::Trigger && opensOnTrigger_)) {
        events->trayMouse(doubleClickCode);
    } else if (reason == QSystemTrayIcon::Context) {
        events->trayMouse(rightButtonDownCode);
    }
}

} // namespace dorvex::qt

#include "platform/qt/Tray.h"

#include "platform/qt/Conversions.h"
#include "platform/qt/PopupMenu.h"

#include <QCoreApplication>
#include <QDBusInterface>

namespace dorvex::qt {

namespace {

constexpr int doubleClickCode = 0x0203;
constexpr int rightButtonDownCode = 0x0204;

// Qt shows the icon as a StatusNotifierItem where the session bus has a watcher that says a host
// is registered, and asks only once; else in the X tray, if there is one (on Wayland there is
// none). Such hosts (KDE Plasma, GNOME's tray extension) send a single activation, which Qt
// reports as a trigger, and never a double click.
bool showsAsStatusNotifierItem() {
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher");
    const QDBusInterface host(watcher, QStringLiteral("/StatusNotifierWatcher"), watcher);
    return host.isValid() && host.property("IsStatusNotifierHostRegistered").toBool();
}

} // namespace

bool Tray::add(const TrayIcon& icon) {
    if (icon_ && icon_->isVisible()) {
        return false;
    }
    if (!icon_ || shown_.attentionMs > 0) {
        renew();
    }
    shown_ = {};
    show(icon);
    return true;
}

bool Tray::modify(const TrayIcon& icon) {
    if (!icon_ || !icon_->isVisible()) {
        return false;
    }
    if (shown_.attentionMs > 0 && icon.attentionMs == 0) {
        renew();
        shown_ = {};
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

void Tray::renew() {
    if (icon_) {
        icon_->hide();
        // Later: the program may be inside one of the old icon's or menu's events.
        icon_.release()->deleteLater();
    }
    if (menu_) {
        menu_.release()->deleteLater();
    }
    if (!statusNotifier_) {
        statusNotifier_ = showsAsStatusNotifierItem();
    }
    // A child of the application, so that tools and tests can find it.
    icon_ = std::make_unique<QSystemTrayIcon>(QCoreApplication::instance());
    icon_->setObjectName(QStringLiteral("trayIcon"));
    // Queued: on X11 the icon's widget emits this inside its own mouse event, and the program
    // may remove the icon (which deletes that widget) before the event's delivery ends.
    QObject::connect(
        icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
        [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); },
        Qt::QueuedConnection);
    if (!*statusNotifier_) {
        // The X tray's icon would open a menu of its own beside the program's.
        return;
    }
    menu_ = std::make_unique<QMenu>();
    QObject::connect(menu_.get(), &QMenu::aboutToShow, menu_.get(), [this] { syncMenu(); });
    QObject::connect(menu_.get(), &QMenu::triggered, menu_.get(), [this](const QAction* action) {
        // Queued: Qt is still handling the host's request, and the choice may renew the icon.
        QMetaObject::invokeMethod(
            menu_.get(), [this, item = action->objectName()] { chosen(item); },
            Qt::QueuedConnection);
    });
    icon_->setContextMenu(menu_.get());
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
    if (icon.tip != shown_.tip || icon.status != shown_.status) {
        icon_->setToolTip(
            toQString(icon.status.empty() ? icon.tip : icon.tip + '\n' + icon.status));
        shown_.tip = icon.tip;
        shown_.status = icon.status;
    }
    icon_->show();
    if (!menu_) {
        return;
    }
    syncMenu();
    // Qt's item needs attention while a message of its own lasts, and then shows its title and
    // text as the tool tip; the desktop gets it as a notice of low urgency.
    if (icon.attentionMs > 0 && shown_.attentionMs == 0) {
        icon_->showMessage(toQString(icon.tip), toQString(icon.status),
                           pictures_.icon(shown_.picture), icon.attentionMs);
    }
    shown_.attentionMs = icon.attentionMs;
}

void Tray::syncMenu() {
    if (const WindowModel* window = window_()) {
        // A box that blocks the window blocks its menu too.
        qt::syncMenu(*menu_, window->menu, receiver_() != nullptr);
    }
}

void Tray::activated(QSystemTrayIcon::ActivationReason reason) {
    WindowEvents* events = receiver_();
    if (events == nullptr) {
        return;
    }
    if (reason == QSystemTrayIcon::DoubleClick ||
        (reason == QSystemTrayIcon::Trigger && *statusNotifier_)) {
        events->trayMouse(doubleClickCode);
    } else if (reason == QSystemTrayIcon::Context) {
        events->trayMouse(rightButtonDownCode);
    }
}

void Tray::chosen(const QString& item) {
    if (WindowEvents* events = receiver_()) {
        events->menuChosen(item.toStdString());
    }
}

} // namespace dorvex::qt

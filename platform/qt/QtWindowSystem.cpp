#include "platform/qt/QtWindowSystem.h"

#include "platform/qt/Accessibility.h"
#include "platform/qt/Conversions.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/NativeWindow.h"
#include "platform/qt/PopupMenu.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QFont>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace dorvex {

using qt::NativeWindow;

namespace {

double logicalDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    constexpr double usual = 96.0;
    return screen == nullptr ? usual : screen->logicalDotsPerInch();
}

} // namespace

QtWindowSystem::QtWindowSystem()
    : context_{qt::TwipScale(logicalDotsPerInch()), {}},
      tray_(
          context_.pictures,
          [this]() -> const WindowModel* {
              return windows_.empty() ? nullptr : &windows_.front()->model();
          },
          [this]() -> WindowEvents* {
              // The tray is the way into the first window, and a box blocks it as it blocks that.
              const bool blocked = windows_.empty() || context_.modalGate.blocks(*windows_.front());
              return blocked ? nullptr : &windows_.front()->events();
          }) {
    // The program lives in the tray: closing its last window or box does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    // Metric-compatible faces where the designed ones are missing, as on most Linux systems.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    qt::installAccessibleRoles();
    focusWatch_ = QObject::connect(qApp, &QApplication::focusChanged,
                                   [this](QWidget*, QWidget* to) { focusChanged(to); });
}

QtWindowSystem::~QtWindowSystem() {
    QObject::disconnect(focusWatch_);
    for (NativeWindow* window : windows_) {
        delete window;
    }
    // Windows unloaded from their own events wait for deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void QtWindowSystem::load(WindowModel& window, WindowEvents& events) {
    windows_.push_back(new NativeWindow(window, events, context_));
    windows_.back()->update();
}

void QtWindowSystem::unload(WindowModel& window) {
    NativeWindow* native = find(window);
    if (native == nullptr) {
        return;
    }
    std::erase(windows_, native);
    native->detach();
    // The unload may come from one of the window's own events, which still runs.
    native->deleteLater();
}

void QtWindowSystem::update() {
    if (!context_.running) {
        return;
    }
    for (NativeWindow* window : windows_) {
        window->update();
    }
}

void QtWindowSystem::messageBox(const std::string& title, const std::string& text,
                                MessageIcon icon) {
    update();
    qt::runMessageBox(context_.modalGate, title, text, icon, std::nullopt);
}

void QtWindowSystem::timedMessageBox(const std::string& title, const std::string& text,
                                     MessageIcon icon, int milliseconds) {
    update();
    qt::runMessageBox(context_.modalGate, title, text, icon, milliseconds);
}

std::string QtWindowSystem::popupMenu(WindowModel& window) {
    update();
    return qt::runPopupMenu(window, QCursor::pos());
}

void QtWindowSystem::setForeground(WindowModel& window) {
    NativeWindow* native = find(window);
    if (native == nullptr) {
        return;
    }
    update();
    native->raise();
    native->activateWindow();
}

ScreenSize QtWindowSystem::screenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return {context_.scale.twips(screen->size().width()),
            context_.scale.twips(screen->size().height())};
}

bool QtWindowSystem::openUrl(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(qt::toQString(url)));
}

void QtWindowSystem::trayAdd(const TrayIcon& icon) {
    tray_.add(icon);
}

void QtWindowSystem::trayModify(const TrayIcon& icon) {
    tray_.modify(icon);
}

void QtWindowSystem::trayDelete() {
    tray_.remove();
}

bool QtWindowSystem::trayAvailable() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtWindowSystem::stopEvents() {
    context_.running = false;
    for (NativeWindow* window : windows_) {
        window->detach();
    }
}

NativeWindow* QtWindowSystem::find(const WindowModel& window) const {
    const auto found = std::ranges::find_if(
        windows_, [&](const NativeWindow* native) { return &native->model() == &window; });
    return found == windows_.end() ? nullptr : *found;
}

void QtWindowSystem::focusChanged(const QWidget* to) {
    if (to == nullptr) {
        return;
    }
    for (NativeWindow* window : windows_) {
        if (window == to->window()) {
            window->focusMoved(to);
        }
    }
}

} // namespace dorvex

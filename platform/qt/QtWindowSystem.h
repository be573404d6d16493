#pragma once

#include "platform/WindowSystem.h"
#include "platform/qt/Tray.h"
#include "platform/qt/WindowContext.h"

#include <QMetaObject>

#include <vector>

namespace dorvex {

namespace qt {
class NativeWindow;
}

// The window system on Qt Widgets. Needs a QApplication that outlives it; the program's windows
// and boxes run on its thread. The tray's mouse events go to the window loaded first.
class QtWindowSystem : public WindowSystem {
public:
    QtWindowSystem();
    ~QtWindowSystem() override;
    QtWindowSystem(const QtWindowSystem&) = delete;
    QtWindowSystem& operator=(const QtWindowSystem&) = delete;

    void load(WindowModel& window, WindowEvents& events) override;
    void unload(WindowModel& window) override;
    void update() override;
    void messageBox(const std::string& title, const std::string& text, MessageIcon icon) override;
    void timedMessageBox(const std::string& title, const std::string& text, MessageIcon icon,
                         int milliseconds) override;
    std::string popupMenu(WindowModel& window) override;
    void setForeground(WindowModel& window) override;
    ScreenSize screenSize() override;
    bool openUrl(const std::string& url) override;
    void trayAdd(const TrayIcon& icon) override;
    void trayModify(const TrayIcon& icon) override;
    void trayDelete() override;
    bool trayAvailable() override;

    // The program has ended: timers stop and no further event reaches it.
    void stopEvents();

private:
    qt::NativeWindow* find(const WindowModel& window) const;
    void focusChanged(const QWidget* to);

    qt::WindowContext context_;
    std::vector<qt::NativeWindow*> windows_; // in load order; owned
    qt::Tray tray_;
    QMetaObject::Connection focusWatch_;
};

} // namespace dorvex

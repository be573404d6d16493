#pragma once

#include "platform/WindowSystem.h"
#include "platform/win32/gui/Tray.h"
#include "platform/win32/gui/WindowContext.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace dorvex {

namespace win32 {
class NativeWindow;
}

// The window system in plain Win32 on the thread that makes it: windows from the program's
// models, the tray, boxes, menus and timers. A hidden top-level window of its own takes the
// tray's messages, the work posted from other threads and the end of the session. The tray's
// mouse events go to the window loaded first.
class Win32WindowSystem final : public WindowSystem {
public:
    explicit Win32WindowSystem(HINSTANCE instance);
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

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

    // Runs the work on the window thread between its other messages; callable from any thread.
    void postToWindowThread(std::function<void()> work);
    // What the end of the user's session does; it must end the program before it returns.
    void onSessionEnd(std::function<void()> end) { sessionEnd_ = std::move(end); }
    // The program's message loop, with the keyboard interface of dialogs (Tab, mnemonics) in its
    // windows; returns the status the program ended with.
    int run();
    // The program has ended: timers stop and no further event reaches it.
    void stopEvents();
    // The native window of a loaded model, for tests and tools; null when not loaded.
    HWND handleOf(const WindowModel& window) const;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    win32::NativeWindow* find(const WindowModel& window) const;
    HWND boxOwner() const;

    win32::WindowContext context_;
    HWND messages_ = nullptr;
    UINT taskbarCreated_ = 0;
    std::vector<std::unique_ptr<win32::NativeWindow>> windows_; // in load order
    // Windows unloaded from one of their own events, destroyed once that event has returned.
    std::vector<std::unique_ptr<win32::NativeWindow>> unloaded_;
    std::unique_ptr<win32::Tray> tray_;
    std::function<void()> sessionEnd_;
};

} // namespace dorvex

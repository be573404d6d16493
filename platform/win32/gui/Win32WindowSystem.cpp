#include "platform/win32/gui/Win32WindowSystem.h"

#include "platform/win32/gui/MessageBoxes.h"
#include "platform/win32/gui/NativeWindow.h"
#include "platform/win32/gui/PopupMenu.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace dorvex {

using win32::NativeWindow;

namespace {

constexpr const char* messageWindowClass = "DorvexZedeMessages";
constexpr UINT postedWork = WM_APP + 2;
constexpr UINT destroyUnloaded = WM_APP + 3;

} // namespace

Win32WindowSystem::Win32WindowSystem(HINSTANCE instance)
    : context_{instance, {}, win32::Pictures(instance), {}} {
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    NativeWindow::registerClass(instance);
    WNDCLASSEXA type{sizeof type};
    type.lpfnWndProc = &Win32WindowSystem::procedure;
    type.hInstance = instance;
    type.lpszClassName = messageWindowClass;
    RegisterClassExA(&type);
    // A top-level window, never shown: a message-only window would miss the broadcasts of
    // Explorer's restart and of the session's end.
    messages_ = CreateWindowExA(0, messageWindowClass, messageWindowClass, WS_OVERLAPPED, 0, 0, 0,
                                0, nullptr, nullptr, instance, this);
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    tray_ = std::make_unique<win32::Tray>(messages_, context_.pictures, [this]() -> WindowEvents* {
        // The tray is the way into the first window, and a box that disabled that blocks it too.
        const bool blocked =
            windows_.empty() || IsWindowEnabled(windows_.front()->handle()) == FALSE;
        return blocked ? nullptr : &windows_.front()->events();
    });
}

Win32WindowSystem::~Win32WindowSystem() {
    tray_.reset();
    windows_.clear();
    unloaded_.clear();
    // Work posted after the loop ended goes with its message.
    MSG message;
    while (PeekMessageA(&message, messages_, postedWork, postedWork, PM_REMOVE) != FALSE) {
        delete reinterpret_cast<std::function<void()>*>(message.lParam);
    }
    DestroyWindow(messages_);
}

LRESULT CALLBACK Win32WindowSystem::procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* const self =
        reinterpret_cast<Win32WindowSystem*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->messages_ != window) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT Win32WindowSystem::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case win32::Tray::callbackMessage:
        if (context_.running) {
            tray_->mouse(lParam);
        }
        return 0;
    case postedWork: {
        const std::unique_ptr<std::function<void()>> work(
            reinterpret_cast<std::function<void()>*>(lParam));
        if (context_.running) {
            (*work)();
        }
        return 0;
    }
    case destroyUnloaded:
        unloaded_.clear();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The system ends the process once this returns: the program ends first, as it does on
        // its Exit command.
        if (wParam != FALSE && context_.running && sessionEnd_) {
            sessionEnd_();
        }
        return 0;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            tray_->restore();
            return 0;
        }
        break;
    }
    return DefWindowProcA(messages_, message, wParam, lParam);
}

void Win32WindowSystem::load(WindowModel& window, WindowEvents& events) {
    windows_.push_back(std::make_unique<NativeWindow>(window, events, context_));
    windows_.back()->update();
}

void Win32WindowSystem::unload(WindowModel& window) {
    const auto found = std::ranges::find_if(
        windows_, [&](const auto& native) { return &native->model() == &window; });
    if (found == windows_.end()) {
        return;
    }
    (*found)->detach();
    // The unload may come from one of the window's own events, which still runs.
    unloaded_.push_back(std::move(*found));
    windows_.erase(found);
    PostMessageA(messages_, destroyUnloaded, 0, 0);
}

void Win32WindowSystem::update() {
    if (!context_.running) {
        return;
    }
    for (const auto& window : windows_) {
        window->update();
    }
}

void Win32WindowSystem::messageBox(const std::string& title, const std::string& text,
                                   MessageIcon icon) {
    update();
    win32::runMessageBox(boxOwner(), title, text, icon, std::nullopt);
}

void Win32WindowSystem::timedMessageBox(const std::string& title, const std::string& text,
                                        MessageIcon icon, int milliseconds) {
    update();
    win32::runMessageBox(boxOwner(), title, text, icon, milliseconds);
}

std::string Win32WindowSystem::popupMenu(WindowModel& window) {
    update();
    // The window owns the menu when it shows: the keyboard then reaches the menu under Wine too,
    // where a hidden window cannot take the X server's focus.
    const NativeWindow* native = find(window);
    const bool shown = native != nullptr && IsWindowVisible(native->handle()) != FALSE;
    return win32::runPopupMenu(window, shown ? native->handle() : messages_);
}

void Win32WindowSystem::setForeground(WindowModel& window) {
    if (NativeWindow* const native = find(window)) {
        update();
        SetForegroundWindow(native->handle());
    }
}

ScreenSize Win32WindowSystem::screenSize() {
    const win32::DpiScale scale(GetDpiForSystem());
    return {scale.twips(GetSystemMetrics(SM_CXSCREEN)), scale.twips(GetSystemMetrics(SM_CYSCREEN))};
}

bool Win32WindowSystem::openUrl(const std::string& url) {
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // Values above 32 mean success.
    constexpr INT_PTR lastError = 32;
    return reinterpret_cast<INT_PTR>(result) > lastError;
}

void Win32WindowSystem::trayAdd(const TrayIcon& icon) {
    tray_->add(icon);
}

void Win32WindowSystem::trayModify(const TrayIcon& icon) {
    tray_->modify(icon);
}

void Win32WindowSystem::trayDelete() {
    tray_->remove();
}

bool Win32WindowSystem::trayAvailable() {
    return FindWindowA("Shell_TrayWnd", nullptr) != nullptr;
}

void Win32WindowSystem::postToWindowThread(std::function<void()> work) {
    auto* const posted = new std::function<void()>(std::move(work));
    if (PostMessageA(messages_, postedWork, 0, reinterpret_cast<LPARAM>(posted)) == FALSE) {
        delete posted;
    }
}

int Win32WindowSystem::run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND const root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        const bool ours = std::ranges::any_of(
            windows_, [&](const auto& window) { return window->handle() == root; });
        if (ours && IsDialogMessageA(root, &message) != FALSE) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32WindowSystem::stopEvents() {
    context_.running = false;
    for (const auto& window : windows_) {
        window->detach();
    }
}

HWND Win32WindowSystem::handleOf(const WindowModel& window) const {
    const NativeWindow* native = find(window);
    return native != nullptr ? native->handle() : nullptr;
}

HWND Win32WindowSystem::boxOwner() const {
    // A box of its own stays below a window on top (the countdown); an owned one stays above it.
    const auto onTop = std::ranges::find_if(windows_, [](const auto& window) {
        return window->model().topmost && IsWindowVisible(window->handle()) != FALSE;
    });
    return onTop != windows_.end() ? (*onTop)->handle() : nullptr;
}

NativeWindow* Win32WindowSystem::find(const WindowModel& window) const {
    const auto found = std::ranges::find_if(
        windows_, [&](const auto& native) { return &native->model() == &window; });
    return found == windows_.end() ? nullptr : found->get();
}

} // namespace dorvex

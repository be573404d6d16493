#include "platform/win32/gui/MessageBoxes.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace dorvex::win32 {

namespace {

// A box that is open: its timer when it is timed, its window once it is created, and the windows
// it disabled that went on top since.
struct OpenBox {
    UINT_PTR timer = 0;
    HWND window = nullptr;
    std::vector<HWND> enabledOnTop;
};

// Boxes nest (a box's own loop runs the program's timers), all on the one window thread.
std::vector<OpenBox*> openBoxes;

UINT styleOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Stop:
        return MB_ICONSTOP;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::None:
        break;
    }
    return 0;
}

// A session log or a terminal shows what the user was told, lines ending as on Linux.
void writeToStandardError(const std::string& title, const std::string& text) {
    std::string record = title + '\n' + text + "\n\n";
    for (std::size_t at = record.find("\r\n"); at != std::string::npos;
         at = record.find("\r\n", at)) {
        record.erase(at, 1);
    }
    std::fwrite(record.data(), 1, record.size(), stderr);
    std::fflush(stderr);
}

// Takes the first dialog window the thread creates into the newest box without one.
LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !openBoxes.empty() && openBoxes.back()->window == nullptr) {
        auto* const window = reinterpret_cast<HWND>(wParam);
        char type[16] = {};
        GetClassNameA(window, type, sizeof type);
        if (std::strcmp(type, "#32770") == 0) {
            openBoxes.back()->window = window;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK closeTimedBox(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
    for (const OpenBox* box : openBoxes) {
        if (box->timer == timer && box->window != nullptr) {
            PostMessageA(box->window, WM_CLOSE, 0, 0);
        }
    }
}

} // namespace

void runMessageBox(HWND owner, const std::string& title, const std::string& text, MessageIcon icon,
                   std::optional<int> closeAfterMs) {
    writeToStandardError(title, text);
    // Above every window, the countdown's included: the user must see what is asked of them.
    const UINT style = MB_OK | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND | styleOf(icon);
    OpenBox box;
    openBoxes.push_back(&box);
    HHOOK const hook = SetWindowsHookExA(WH_CBT, &watchCreation, nullptr, GetCurrentThreadId());
    if (closeAfterMs) {
        box.timer = SetTimer(nullptr, 0, static_cast<UINT>(*closeAfterMs), &closeTimedBox);
    }
    MessageBoxA(owner, text.c_str(), title.c_str(), style);
    if (box.timer != 0) {
        KillTimer(nullptr, box.timer);
    }
    UnhookWindowsHookEx(hook);
    std::erase(openBoxes, &box);
}

void boxesSeeTopmost(HWND window, bool onTop) {
    if (openBoxes.empty()) {
        return;
    }
    if (!onTop) {
        for (OpenBox* box : openBoxes) {
            if (std::erase(box->enabledOnTop, window) > 0) {
                EnableWindow(window, FALSE);
            }
        }
        return;
    }
    if (IsWindowEnabled(window) == FALSE) {
        EnableWindow(window, TRUE);
        openBoxes.back()->enabledOnTop.push_back(window);
    }
    for (const OpenBox* box : openBoxes) {
        SetWindowPos(box->window, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

} // namespace dorvex::win32

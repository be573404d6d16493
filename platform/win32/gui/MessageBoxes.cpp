#include "platform/win32/gui/MessageBoxes.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace dorvex::win32 {

namespace {

// A timed box that is open: its timer and, once it is created, its window.
struct TimedBox {
    UINT_PTR timer = 0;
    HWND window = nullptr;
};

// Boxes nest (a box's own loop runs the program's timers), all on the one window thread.
std::vector<TimedBox*> timedBoxes;

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

// Takes the first dialog window the thread creates into the newest timed box without one.
LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !timedBoxes.empty() && timedBoxes.back()->window == nullptr) {
        auto* const window = reinterpret_cast<HWND>(wParam);
        char type[16] = {};
        GetClassNameA(window, type, sizeof type);
        if (std::strcmp(type, "#32770") == 0) {
            timedBoxes.back()->window = window;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK closeTimedBox(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
    for (const TimedBox* box : timedBoxes) {
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
    if (!closeAfterMs) {
        MessageBoxA(owner, text.c_str(), title.c_str(), style);
        return;
    }
    TimedBox box;
    timedBoxes.push_back(&box);
    HHOOK const hook = SetWindowsHookExA(WH_CBT, &watchCreation, nullptr, GetCurrentThreadId());
    box.timer = SetTimer(nullptr, 0, static_cast<UINT>(*closeAfterMs), &closeTimedBox);
    MessageBoxA(owner, text.c_str(), title.c_str(), style);
    KillTimer(nullptr, box.timer);
    UnhookWindowsHookEx(hook);
    std::erase(timedBoxes, &box);
}

} // namespace dorvex::win32

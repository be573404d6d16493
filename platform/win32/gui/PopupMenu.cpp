#include "platform/win32/gui/PopupMenu.h"

namespace dorvex::win32 {

std::string runPopupMenu(const WindowModel& window, HWND owner) {
    HMENU const menu = CreatePopupMenu();
    UINT id = 0;
    for (const MenuItem& item : window.menu) {
        ++id; // the item's place in the model, from 1
        if (!item.visible) {
            continue;
        }
        if (item.caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), id,
                        item.caption.c_str());
        }
    }
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(owner);
    const auto chosen = static_cast<std::size_t>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    // The menu closes properly only when the owner gets a message after it.
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return chosen >= 1 && chosen <= window.menu.size() ? window.menu[chosen - 1].name
                                                       : std::string{};
}

} // namespace dorvex::win32

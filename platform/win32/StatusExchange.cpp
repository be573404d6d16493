#include "platform/win32/StatusExchange.h"

namespace dorvex::status {

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* const creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* const handler =
        reinterpret_cast<CopyDataHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_COPYDATA && handler != nullptr) {
        (*handler)(reinterpret_cast<HWND>(wParam),
                   *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HWND makeWindow(HINSTANCE instance, const wchar_t* className, CopyDataHandler& handler) {
    WNDCLASSEXW type{sizeof type};
    type.lpfnWndProc = &procedure;
    type.hInstance = instance;
    type.lpszClassName = className;
    // A second registration fails as the class is there already.
    RegisterClassExW(&type);
    return CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                           &handler);
}

} // namespace dorvex::status

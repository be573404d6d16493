#include "platform/win32/gui/NativeWindow.h"

#include "platform/win32/gui/ChildControl.h"
#include "platform/win32/gui/MessageBoxes.h"
#include "platform/win32/gui/TimerBinding.h"

#include <commctrl.h>

#include <algorithm>

namespace dorvex::win32 {

namespace {

constexpr const char* windowClass = "DorvexZedeWindow";
// Control ids start above the dialog manager's own (IDOK, IDCANCEL, ...).
constexpr int firstControlId = 100;
// The activation's handler runs after the message that activated the window.
constexpr UINT activatedMessage = WM_APP + 1;
constexpr DWORD frameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr int widestToolTip = 400;

} // namespace

void NativeWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXA type{sizeof type};
    type.lpfnWndProc = &NativeWindow::procedure;
    type.hInstance = instance;
    type.hCursor = LoadCursor(nullptr, IDC_ARROW);
    type.lpszClassName = windowClass;
    RegisterClassExA(&type);
}

NativeWindow::NativeWindow(WindowModel& model, WindowEvents& events, WindowContext& context)
    : WindowSync(model, events, context.running), context_(context) {
    CreateWindowExA(0, windowClass, "", frameStyle, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr,
                    nullptr, context.instance, this);
    scale_ = DpiScale(GetDpiForWindow(handle_));
    // Every window of the program is a fixed dialog.
    context_.annotations.dialogRole(handle_);
    // Not owned by the window: under Wine an owned window keeps its owner from staying on top.
    toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, nullptr,
                                nullptr, context.instance, nullptr);
    SendMessageA(toolTips_, TTM_SETMAXTIPWIDTH, 0, scale_.fromStandard(widestToolTip));
    bindNewControls();
}

NativeWindow::~NativeWindow() {
    if (context_.lastActive == this) {
        context_.lastActive = nullptr;
    }
    bindings_.clear();
    DestroyWindow(toolTips_);
    // The messages of the window's destruction find no object that is half gone.
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
}

LRESULT CALLBACK NativeWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* const self =
            static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* const self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

LRESULT NativeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) {
            command(LOWORD(wParam), HIWORD(wParam));
        }
        return 0;
    case DM_GETDEFID:
        return defaultButton();
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return controlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (auto* const control = dynamic_cast<ChildControl*>(bindingOf(item.hwndItem))) {
            control->paint(item.hDC, item.rcItem, scale_.dotsPerInch());
        }
        return TRUE;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client,
                 context_.gdi.brush(colourRef(model_.background)));
        return 1;
    }
    case WM_TIMER: {
        const auto index = static_cast<std::size_t>(wParam) - firstControlId;
        if (index < bindings_.size()) {
            events_.timer(bindings_[index]->name());
        }
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            if (attached() && context_.lastActive != this) {
                context_.lastActive = this;
                PostMessageA(handle_, activatedMessage, 0, 0);
            }
            // The focus goes where the model has it, not to the first control.
            if (const ControlBinding* focus = bindingNamed(model_.focus)) {
                SetFocus(focus->handle());
                return 0;
            }
        }
        break;
    case activatedMessage:
        events_.activated();
        return 0;
    case alertMessage:
        NotifyWinEvent(EVENT_SYSTEM_ALERT, reinterpret_cast<HWND>(lParam), OBJID_CLIENT,
                       CHILDID_SELF);
        return 0;
    case WM_SHOWWINDOW:
        if (wParam == FALSE && context_.lastActive == this) {
            context_.lastActive = nullptr;
        }
        break;
    case WM_SIZE:
        sizeChanged(wParam);
        break;
    case WM_EXITSIZEMOVE:
        movedByUser();
        break;
    case WM_CLOSE:
        // The program decides, and unloads the window itself; without the close command, nothing.
        if (model_.closeCommand) {
            events_.closeRequested();
        }
        return 0;
    case WM_DPICHANGED:
        dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

void NativeWindow::command(WORD id, WORD code) {
    const auto index = static_cast<std::size_t>(id) - firstControlId;
    if (index >= bindings_.size()) {
        return;
    }
    auto* const control = dynamic_cast<ChildControl*>(bindings_[index].get());
    if (control == nullptr) {
        return;
    }
    if (code == EN_SETFOCUS || code == BN_SETFOCUS) {
        focusTaken(*control);
    } else if (control->notified(code)) {
        events_.click(control->name());
    }
}

LRESULT NativeWindow::defaultButton() const {
    // As in a dialog, the push button with the focus is the one Return presses.
    HWND const focus = GetFocus();
    const auto* const button = dynamic_cast<const ChildControl*>(bindingOf(focus));
    if (button == nullptr || button->model().kind != ControlKind::Button) {
        return 0;
    }
    return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
}

LRESULT NativeWindow::controlColours(HDC dc, HWND control) {
    const HBRUSH background = context_.gdi.brush(colourRef(model_.background));
    auto* const child = dynamic_cast<ChildControl*>(bindingOf(control));
    if (child == nullptr) {
        return reinterpret_cast<LRESULT>(background);
    }
    if (child->model().transparent) {
        paintBeneath(dc, control, background);
        child->colours(dc, background);
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<LRESULT>(child->colours(dc, background));
}

void NativeWindow::paintBeneath(HDC dc, HWND label, HBRUSH background) {
    // A sibling's pixels cannot show through a child window: the window's background and the
    // pictures it overlaps are painted into it, and its text goes on top.
    RECT area;
    GetClientRect(label, &area);
    FillRect(dc, &area, background);
    POINT origin{};
    MapWindowPoints(label, handle_, &origin, 1);
    for (const auto& binding : bindings_) {
        auto* const picture = dynamic_cast<ChildControl*>(binding.get());
        if (picture == nullptr || !picture->isPicture() || !IsWindowVisible(picture->handle())) {
            continue;
        }
        RECT place;
        GetWindowRect(picture->handle(), &place);
        MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&place), 2);
        OffsetRect(&place, -origin.x, -origin.y);
        picture->paint(dc, place, scale_.dotsPerInch());
    }
}

ControlBinding* NativeWindow::bindingOf(HWND control) const {
    const auto found =
        std::ranges::find_if(bindings_, [&](const auto& b) { return b->handle() == control; });
    return found != bindings_.end() ? found->get() : nullptr;
}

std::unique_ptr<ControlBinding> NativeWindow::bind(Control& control) {
    const int id = firstControlId + static_cast<int>(bindings_.size());
    if (control.kind == ControlKind::Timer) {
        return std::make_unique<TimerBinding>(control, handle_, static_cast<UINT_PTR>(id));
    }
    auto child = std::make_unique<ChildControl>(control, handle_, toolTips_, id, context_);
    if (!control.accessibleName.empty()) {
        context_.annotations.name(child->handle(), control.accessibleName);
    }
    return child;
}

void NativeWindow::updateBinding(ControlBinding& binding, bool windowShown) {
    binding.update(windowShown, scale_);
}

void NativeWindow::chainTab(const ControlBinding* previous, const ControlBinding& next) {
    SetWindowPos(next.handle(), previous != nullptr ? previous->handle() : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void NativeWindow::captions(const ControlBinding& label, const ControlBinding& control) {
    HWND const above = GetWindow(control.handle(), GW_HWNDPREV);
    SetWindowPos(label.handle(), above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void NativeWindow::showFrame(const FrameChanges& changes) {
    if (changes.minimiseButton) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE));
        SetWindowLongPtrA(handle_, GWL_STYLE,
                          model_.minimiseButton ? style | WS_MINIMIZEBOX
                                                : style & ~static_cast<DWORD>(WS_MINIMIZEBOX));
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (changes.closeCommand) {
        applySystemMenu();
    }
    if (changes.caption) {
        SetWindowTextA(handle_, model_.caption.c_str());
    }
    if (changes.icon) {
        const UINT dpi = GetDpiForWindow(handle_);
        const auto small =
            context_.pictures.icon(model_.icon, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
        const auto big =
            context_.pictures.icon(model_.icon, GetSystemMetricsForDpi(SM_CXICON, dpi));
        SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (changes.size) {
        applySize();
    }
    if (changes.position) {
        SetWindowPos(handle_, nullptr, scale_.pixels(model_.left), scale_.pixels(model_.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (changes.background) {
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

void NativeWindow::applySystemMenu() {
    // The default menu first; without the close command its last two items (the separator and
    // the close command) go.
    GetSystemMenu(handle_, TRUE);
    if (!model_.closeCommand) {
        HMENU const menu = GetSystemMenu(handle_, FALSE);
        const int count = menu != nullptr ? GetMenuItemCount(menu) : 0;
        if (count > 0) {
            RemoveMenu(menu, static_cast<UINT>(count - 1), MF_BYPOSITION | MF_REMOVE);
            RemoveMenu(menu, static_cast<UINT>(count - 2), MF_BYPOSITION | MF_REMOVE);
        }
    }
    DrawMenuBar(handle_);
}

void NativeWindow::applySize() {
    RECT frame{0, 0, scale_.pixels(model_.clientWidth), scale_.pixels(model_.clientHeight)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE)),
                             FALSE, 0, static_cast<UINT>(scale_.dotsPerInch()));
    SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeWindow::showInState(WindowState state) {
    switch (state) {
    case WindowState::Minimised:
        ShowWindow(handle_, SW_SHOWMINIMIZED);
        break;
    case WindowState::Maximised:
        ShowWindow(handle_, SW_SHOWMAXIMIZED);
        break;
    case WindowState::Normal:
        ShowWindow(handle_, SW_SHOWNORMAL);
        break;
    }
}

void NativeWindow::hideWindow() {
    ShowWindow(handle_, SW_HIDE);
}

void NativeWindow::shown(bool wasShownOnTop) {
    // On top once shown: a window mapped already above the others is told to Wine by icewm as
    // lying a title bar lower than it does, and every click would miss what it points at.
    if (changedSince(shown_.topmost, model_.topmost)) {
        SetWindowPos(handle_, model_.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (const ControlBinding* focus = newFocus();
        focus != nullptr && GetActiveWindow() == handle_) {
        SetFocus(focus->handle());
    }
    // After the showing, which brings the window above every other on top.
    if (const bool shownOnTop = model_.visible && model_.topmost; shownOnTop != wasShownOnTop) {
        boxesSeeTopmost(handle_, shownOnTop);
    }
}

void NativeWindow::sizeChanged(WPARAM how) {
    // A hidden window is resized as the model says, which is no change of its state.
    if (!attached() || !IsWindowVisible(handle_)) {
        return;
    }
    WindowState now = WindowState::Normal;
    if (how == SIZE_MINIMIZED) {
        now = WindowState::Minimised;
    } else if (how == SIZE_MAXIMIZED) {
        now = WindowState::Maximised;
    } else if (how != SIZE_RESTORED) {
        return;
    }
    stateShown(now);
}

void NativeWindow::movedByUser() {
    RECT frame;
    GetWindowRect(handle_, &frame);
    movedTo(frame.left, frame.top, scale_);
}

void NativeWindow::dpiChanged(UINT dotsPerInch, const RECT& suggested) {
    scale_ = DpiScale(dotsPerInch);
    SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    applySize();
    for (const auto& binding : bindings_) {
        binding->rescale(scale_);
    }
    shown_.icon.clear();
    updateFrame();
}

} // namespace dorvex::win32

#include "platform/win32/gui/NativeWindow.h"

#include "platform/win32/gui/ChildControl.h"
#include "platform/win32/gui/MessageBoxes.h"
#include "platform/win32/gui/TimerBinding.h"
#include "platform/windowing/Changed.h"

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
    : model_(model), events_(events, context.running), context_(context) {
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
            if (attached_ && context_.lastActive != this) {
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
        model_.focus = shown_.focus = control->name();
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

void NativeWindow::bindNewControls() {
    // Controls added to a loaded model get their windows too; a deque keeps the older in place.
    for (auto control = model_.controls.begin() + static_cast<std::ptrdiff_t>(bindings_.size());
         control != model_.controls.end(); ++control) {
        const int id = firstControlId + static_cast<int>(bindings_.size());
        if (control->kind == ControlKind::Timer) {
            bindings_.push_back(
                std::make_unique<TimerBinding>(*control, handle_, static_cast<UINT_PTR>(id)));
            timers_.push_back(bindings_.back().get());
        } else {
            bindings_.push_back(
                std::make_unique<ChildControl>(*control, handle_, toolTips_, id, context_));
        }
    }
    applyTabOrder();
    applyCaptions();
}

ControlBinding* NativeWindow::bindingOf(HWND control) const {
    const auto found =
        std::ranges::find_if(bindings_, [&](const auto& b) { return b->handle() == control; });
    return found != bindings_.end() ? found->get() : nullptr;
}

ControlBinding* NativeWindow::bindingNamed(std::string_view name) const {
    const auto found = std::ranges::find_if(
        bindings_, [&](const auto& b) { return b->name() == name && b->handle() != nullptr; });
    return found != bindings_.end() ? found->get() : nullptr;
}

void NativeWindow::applyTabOrder() {
    // The Tab key follows the order of the child windows.
    HWND previous = HWND_TOP;
    for (const std::string& name : model_.tabOrder) {
        if (const ControlBinding* next = bindingNamed(name)) {
            SetWindowPos(next->handle(), previous, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            previous = next->handle();
        }
    }
}

void NativeWindow::applyCaptions() {
    // A screen reader reads a box by the label just above it in the z-order, which leaves the
    // order of the Tab key alone; a label is above the first box it captions.
    std::vector<const ControlBinding*> placed;
    for (const auto& binding : bindings_) {
        const ControlBinding* label = bindingNamed(binding->model().labelledBy);
        if (label != nullptr && std::ranges::find(placed, label) == placed.end()) {
            HWND const above = GetWindow(binding->handle(), GW_HWNDPREV);
            SetWindowPos(label->handle(), above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            placed.push_back(label);
        }
        if (!binding->model().accessibleName.empty()) {
            context_.annotations.name(binding->handle(), binding->model().accessibleName);
        }
    }
}

bool NativeWindow::changedSince(auto& shown, const auto& now) {
    return changed(shown, now, nothingSetYet_);
}

void NativeWindow::update() {
    if (model_.controls.size() != bindings_.size()) {
        bindNewControls();
    }
    // A window that stays hidden runs only its timers; its frame and controls catch up when it
    // shows, so that a tick in the tray touches none of them.
    if (!nothingSetYet_ && !model_.visible && !shown_.visible) {
        for (ControlBinding* timer : timers_) {
            timer->update(false, scale_);
        }
        return;
    }
    const bool wasShownOnTop = shown_.visible && shown_.topmost && !nothingSetYet_;
    updateWindow();
    for (const auto& binding : bindings_) {
        binding->update(model_.visible, scale_);
    }
    // A hidden window gets no state: it would show in it when it shows.
    const bool stateChanged = changedSince(shown_.state, model_.state);
    const bool visibleChanged = changedSince(shown_.visible, model_.visible);
    if (model_.visible && (stateChanged || visibleChanged)) {
        showInState(model_.state);
    } else if (visibleChanged) {
        ShowWindow(handle_, SW_HIDE);
    }
    // On top once shown: a window mapped already above the others is told to Wine by icewm as
    // lying a title bar lower than it does, and every click would miss what it points at.
    if (changedSince(shown_.topmost, model_.topmost)) {
        applyTopmost();
    }
    if (model_.visible && changedSince(shown_.focus, model_.focus) &&
        GetActiveWindow() == handle_) {
        if (const ControlBinding* focus = bindingNamed(model_.focus)) {
            SetFocus(focus->handle());
        }
    }
    // After the showing, which brings the window above every other on top.
    if (const bool shownOnTop = model_.visible && model_.topmost; shownOnTop != wasShownOnTop) {
        boxesSeeTopmost(handle_, shownOnTop);
    }
    nothingSetYet_ = false;
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

void NativeWindow::updateWindow() {
    if (changedSince(shown_.minimiseButton, model_.minimiseButton)) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE));
        SetWindowLongPtrA(handle_, GWL_STYLE,
                          model_.minimiseButton ? style | WS_MINIMIZEBOX
                                                : style & ~static_cast<DWORD>(WS_MINIMIZEBOX));
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (changedSince(shown_.closeCommand, model_.closeCommand)) {
        applySystemMenu();
    }
    if (changedSince(shown_.caption, model_.caption)) {
        SetWindowTextA(handle_, model_.caption.c_str());
    }
    if (changedSince(shown_.icon, model_.icon)) {
        const UINT dpi = GetDpiForWindow(handle_);
        const auto small =
            context_.pictures.icon(model_.icon, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
        const auto big =
            context_.pictures.icon(model_.icon, GetSystemMetricsForDpi(SM_CXICON, dpi));
        SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
        SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    const bool widthChanged = changedSince(shown_.clientWidth, model_.clientWidth);
    if (changedSince(shown_.clientHeight, model_.clientHeight) || widthChanged) {
        applySize();
    }
    const bool leftChanged = changedSince(shown_.left, model_.left);
    if (changedSince(shown_.top, model_.top) || leftChanged) {
        SetWindowPos(handle_, nullptr, scale_.pixels(model_.left), scale_.pixels(model_.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (changedSince(shown_.background, model_.background)) {
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

void NativeWindow::applySize() {
    RECT frame{0, 0, scale_.pixels(model_.clientWidth), scale_.pixels(model_.clientHeight)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE)),
                             FALSE, 0, static_cast<UINT>(scale_.dotsPerInch()));
    SetWindowPos(handle_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativeWindow::applyTopmost() {
    SetWindowPos(handle_, model_.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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

void NativeWindow::sizeChanged(WPARAM how) {
    // A hidden window is resized as the model says, which is no change of its state.
    if (!attached_ || !IsWindowVisible(handle_)) {
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
    if (now != shown_.state) {
        shown_.state = model_.state = now;
        events_.stateChanged();
    }
}

void NativeWindow::movedByUser() {
    // Where the user put the window, so that placing it again moves it.
    RECT frame;
    GetWindowRect(handle_, &frame);
    if (frame.left != scale_.pixels(shown_.left)) {
        shown_.left = model_.left = scale_.twips(frame.left);
    }
    if (frame.top != scale_.pixels(shown_.top)) {
        shown_.top = model_.top = scale_.twips(frame.top);
    }
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
    updateWindow();
}

void NativeWindow::detach() {
    attached_ = false;
    events_.close();
    for (const auto& binding : bindings_) {
        binding->stop();
    }
    ShowWindow(handle_, SW_HIDE);
}

} // namespace dorvex::win32

#include "platform/win32/gui/ChildControl.h"

#include "platform/windowing/Changed.h"

#include <commctrl.h>

#include <algorithm>

namespace dorvex::win32 {

namespace {

const char* className(const Control& control) {
    switch (control.kind) {
    case ControlKind::TextBox:
        return "EDIT";
    case ControlKind::Button:
        return "BUTTON";
    default:
        break;
    }
    return "STATIC";
}

DWORD kindStyle(const Control& control) {
    switch (control.kind) {
    case ControlKind::TextBox:
        return WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL |
               (control.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : 0);
    case ControlKind::Button:
        return WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY;
    case ControlKind::PictureBox:
    case ControlKind::Picture:
        return SS_OWNERDRAW | SS_NOTIFY;
    default:
        break;
    }
    return SS_NOTIFY;
}

DWORD alignmentStyle(const Control& control) {
    const bool edit = control.kind == ControlKind::TextBox;
    switch (control.alignment) {
    case Alignment::Centre:
        return edit ? ES_CENTER : SS_CENTER;
    case Alignment::Right:
        return edit ? ES_RIGHT : SS_RIGHT;
    case Alignment::Left:
        break;
    }
    return edit ? ES_LEFT : SS_LEFT;
}

// Lines break with CR LF in every control; the models may carry bare LF.
std::string withCrLf(const std::string& text) {
    std::string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            converted += '\r';
        }
        converted += text[i];
    }
    return converted;
}

} // namespace

ChildControl::ChildControl(Control& model, HWND window, HWND toolTips, int id,
                           WindowContext& context)
    : ControlBinding(model),
      handle_(CreateWindowExA(0, className(model), "", WS_CHILD | kindStyle(model), 0, 0, 0, 0,
                              window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              context.instance, nullptr)),
      toolTips_(toolTips), context_(context) {
    TOOLINFOA tool{sizeof tool};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(handle_);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

ChildControl::~ChildControl() {
    DestroyWindow(handle_);
}

bool ChildControl::changed(auto& shown, const auto& now) const {
    return dorvex::changed(shown, now, nothingSetYet_);
}

bool ChildControl::isPicture() const {
    return model_.kind == ControlKind::PictureBox || model_.kind == ControlKind::Picture;
}

void ChildControl::update(bool windowShown, const DpiScale& scale) {
    if (!windowShown) {
        return;
    }
    const bool fontChanged = changed(shown_.font, model_.font);
    if (changed(shown_.geometry, model_.geometry) || fontChanged) {
        rescale(scale);
    }
    if (changed(shown_.toolTip, model_.toolTip)) {
        setToolTip();
    }
    if (changed(shown_.enabled, model_.enabled)) {
        EnableWindow(handle_, model_.enabled ? TRUE : FALSE);
    }
    updateStyle();
    updateText();
    if (changed(shown_.visible, model_.visible)) {
        ShowWindow(handle_, model_.visible ? SW_SHOWNA : SW_HIDE);
    }
    if (changed(shown_.raised, model_.raised) && model_.raised > 0) {
        // Told once the window has shown, which it does after its controls.
        PostMessageA(GetParent(handle_), alertMessage, 0, reinterpret_cast<LPARAM>(handle_));
    }
    nothingSetYet_ = false;
}

void ChildControl::updateStyle() {
    const bool colours = changed(shown_.foreColour, model_.foreColour);
    const bool background = changed(shown_.backColour, model_.backColour);
    const bool transparent = changed(shown_.transparent, model_.transparent);
    const bool alignment = changed(shown_.alignment, model_.alignment);
    if (changed(shown_.locked, model_.locked) && model_.kind == ControlKind::TextBox) {
        SendMessageA(handle_, EM_SETREADONLY, model_.locked ? TRUE : FALSE, 0);
    }
    if (alignment && !isPicture() && model_.kind != ControlKind::Button) {
        constexpr DWORD alignmentBits = SS_CENTER | SS_RIGHT | ES_CENTER | ES_RIGHT;
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE));
        SetWindowLongPtrA(handle_, GWL_STYLE, (style & ~alignmentBits) | alignmentStyle(model_));
    }
    if (changed(shown_.picture, model_.picture) && isPicture()) {
        place(DpiScale(GetDpiForWindow(handle_)));
    }
    if (colours || background || transparent || alignment) {
        if (model_.kind == ControlKind::TextBox) {
            // A box whose text has the colour of its background is a focus sink: it takes the
            // keyboard focus, but on a window of another colour its background would show.
            place(DpiScale(GetDpiForWindow(handle_)));
        }
        InvalidateRect(handle_, nullptr, TRUE);
    }
}

void ChildControl::updateText() {
    if (isPicture() || !changed(shown_.text, model_.text)) {
        return;
    }
    settingText_ = true;
    SetWindowTextA(handle_, withCrLf(model_.text).c_str());
    settingText_ = false;
}

void ChildControl::rescale(const DpiScale& scale) {
    SendMessageA(handle_, WM_SETFONT,
                 reinterpret_cast<WPARAM>(context_.gdi.font(model_.font, scale.dotsPerInch())),
                 TRUE);
    if (model_.kind == ControlKind::TextBox) {
        // Narrow boxes ("100%") need their width for the text, as the designed size assumes.
        const int margin = scale.fromStandard(1);
        SendMessageA(handle_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELPARAM(margin, margin));
    }
    place(scale);
}

void ChildControl::place(const DpiScale& scale) {
    RECT at = scale.rect(model_.geometry);
    if (model_.kind == ControlKind::TextBox && model_.foreColour == model_.backColour) {
        at.right = at.left;
        at.bottom = at.top;
    } else if (isPicture()) {
        // A picture is never cut: its holder grows to the picture's size.
        const SIZE own = context_.pictures.size(model_.picture);
        at.right = std::max(at.right, at.left + scale.fromStandard(static_cast<int>(own.cx)));
        at.bottom = std::max(at.bottom, at.top + scale.fromStandard(static_cast<int>(own.cy)));
    }
    SetWindowPos(handle_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildControl::setToolTip() {
    TOOLINFOA tool{sizeof tool};
    tool.hwnd = GetParent(handle_);
    tool.uId = reinterpret_cast<UINT_PTR>(handle_);
    tool.lpszText = const_cast<char*>(model_.toolTip.c_str());
    SendMessageA(toolTips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool ChildControl::notified(WORD code) {
    switch (model_.kind) {
    case ControlKind::TextBox:
        if (code == EN_CHANGE && !settingText_) {
            const int length = GetWindowTextLengthA(handle_);
            std::string text(static_cast<std::size_t>(length) + 1, '\0');
            GetWindowTextA(handle_, text.data(), length + 1);
            text.resize(static_cast<std::size_t>(length));
            model_.text = shown_.text = text;
        }
        return false;
    case ControlKind::Button:
        return code == BN_CLICKED;
    default:
        break;
    }
    return code == STN_CLICKED;
}

HBRUSH ChildControl::colours(HDC dc, HBRUSH windowBackground) const {
    SetTextColor(dc, colourRef(model_.foreColour));
    if (model_.transparent) {
        // The window paints what lies beneath.
        SetBkMode(dc, TRANSPARENT);
        return windowBackground;
    }
    const COLORREF back = colourRef(model_.backColour);
    SetBkColor(dc, back);
    return context_.gdi.brush(back);
}

void ChildControl::paint(HDC dc, const RECT& area, int dotsPerInch) {
    FillRect(dc, &area, context_.gdi.brush(colourRef(model_.backColour)));
    context_.pictures.draw(dc, model_.picture, {area.left, area.top}, dotsPerInch);
}

} // namespace dorvex::win32

#pragma once

#include "platform/win32/gui/ControlBinding.h"
#include "platform/win32/gui/WindowContext.h"

namespace dorvex::win32 {

// Posted to the window by a control raised as an alert, with the control's handle: the window
// tells screen readers.
constexpr UINT alertMessage = WM_APP + 4;

// A label, text box, button or picture as a child window of its window: a STATIC (labels and
// pictures, which report clicks), an EDIT or a BUTTON. Its id is the one WM_COMMAND carries.
class ChildControl final : public ControlBinding {
public:
    ChildControl(Control& model, HWND window, HWND toolTips, int id, WindowContext& context);
    ~ChildControl() override;
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    void update(bool windowShown, const DpiScale& scale) override;
    void rescale(const DpiScale& scale) override;
    HWND handle() const override { return handle_; }

    // A notification from the control; true when it is a click for the program.
    bool notified(WORD code);
    // The text colour and background for WM_CTLCOLOR*: the brush to paint with.
    HBRUSH colours(HDC dc, HBRUSH windowBackground) const;
    // Paints a picture holder's background and picture into the area (its own owner-drawn
    // STATIC, or a transparent label above it).
    void paint(HDC dc, const RECT& area, int dotsPerInch);
    bool isPicture() const;

private:
    bool changed(auto& shown, const auto& now) const;
    void updateText();
    void updateStyle();
    void place(const DpiScale& scale);
    void setToolTip();

    HWND handle_;
    HWND toolTips_;
    WindowContext& context_;
    Control shown_;
    bool nothingSetYet_ = true;
    bool settingText_ = false;
};

} // namespace dorvex::win32

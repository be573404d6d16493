#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"
#include "platform/win32/gui/ControlBinding.h"
#include "platform/win32/gui/DpiScale.h"
#include "platform/win32/gui/WindowContext.h"
#include "platform/windowing/WindowSync.h"

#include <windows.h>

#include <memory>

namespace dorvex::win32 {

// The top-level window of one loaded window model, with a binding for each of its controls.
// What the user changes (text, window state, position, focus) goes into the model; the close
// command is left to the program.
class NativeWindow final : public WindowSync<ControlBinding> {
public:
    NativeWindow(WindowModel& model, WindowEvents& events, WindowContext& context);
    ~NativeWindow() override;

    static void registerClass(HINSTANCE instance);

    HWND handle() const { return handle_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WORD id, WORD code);
    // What the dialog manager asks for the button that Return presses.
    LRESULT defaultButton() const;
    LRESULT controlColours(HDC dc, HWND control);
    void paintBeneath(HDC dc, HWND label, HBRUSH background);
    ControlBinding* bindingOf(HWND control) const;
    std::unique_ptr<ControlBinding> bind(Control& control) override;
    void updateBinding(ControlBinding& binding, bool windowShown) override;
    // The Tab key follows the order of the child windows.
    void chainTab(const ControlBinding* previous, const ControlBinding& next) override;
    // A screen reader reads a box by the label just above it in the z-order, which leaves the
    // order of the Tab key alone.
    void captions(const ControlBinding& label, const ControlBinding& control) override;
    void showFrame(const FrameChanges& changes) override;
    void applySystemMenu();
    void applySize();
    void showInState(WindowState state) override;
    void hideWindow() override;
    void shown(bool wasShownOnTop) override;
    void sizeChanged(WPARAM how);
    void movedByUser();
    void dpiChanged(UINT dotsPerInch, const RECT& suggested);

    WindowContext& context_;
    HWND handle_ = nullptr;
    HWND toolTips_ = nullptr;
    DpiScale scale_{96};
};

} // namespace dorvex::win32

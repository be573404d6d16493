#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"
#include "platform/win32/gui/ControlBinding.h"
#include "platform/win32/gui/DpiScale.h"
#include "platform/win32/gui/WindowContext.h"
#include "platform/windowing/GatedEvents.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace dorvex::win32 {

// The top-level window of one loaded window model, with a binding for each of its controls.
// What the user changes (text, window state, position, focus) goes into the model; the close
// command is left to the program.
class NativeWindow {
public:
    NativeWindow(WindowModel& model, WindowEvents& events, WindowContext& context);
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    static void registerClass(HINSTANCE instance);

    WindowModel& model() const { return model_; }
    WindowEvents& events() { return events_; }
    HWND handle() const { return handle_; }
    // Sets what changed in the model since the last call; a hidden window only runs its timers.
    void update();
    // The model is unloaded: no further event reaches the program, and the window hides.
    void detach();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(WORD id, WORD code);
    // What the dialog manager asks for the button that Return presses.
    LRESULT defaultButton() const;
    LRESULT controlColours(HDC dc, HWND control);
    void paintBeneath(HDC dc, HWND label, HBRUSH background);
    void bindNewControls();
    ControlBinding* bindingOf(HWND control) const;
    ControlBinding* bindingNamed(std::string_view name) const;
    void applyTabOrder();
    void applyCaptions();
    void updateWindow();
    void applySize();
    void applyTopmost();
    void applySystemMenu();
    void showInState(WindowState state);
    void sizeChanged(WPARAM how);
    void movedByUser();
    void dpiChanged(UINT dotsPerInch, const RECT& suggested);
    bool changedSince(auto& shown, const auto& now);

    WindowModel& model_;
    GatedEvents events_;
    WindowContext& context_;
    HWND handle_ = nullptr;
    HWND toolTips_ = nullptr;
    DpiScale scale_{96};
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::vector<ControlBinding*> timers_; // those of bindings_ that are timers
    WindowModel shown_; // the window's own properties as last set; its lists stay empty
    bool nothingSetYet_ = true;
    bool attached_ = true;
};

} // namespace dorvex::win32

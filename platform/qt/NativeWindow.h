#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"
#include "platform/qt/ControlBinding.h"
#include "platform/qt/WindowContext.h"
#include "platform/windowing/WindowSync.h"

#include <QWidget>

#include <memory>

namespace dorvex::qt {

// The top-level widget of one loaded window model, with a binding for each of its controls.
// What the user changes (text, window state, position, focus) goes into the model; the close
// command is left to the program.
class NativeWindow final : public QWidget, public WindowSync<ControlBinding> {
public:
    NativeWindow(WindowModel& model, WindowEvents& events, WindowContext& context);
    ~NativeWindow() override;

    using WindowSync::update; // not QWidget's repaint
    // The keyboard focus came to one of this window's widgets.
    void focusMoved(const QWidget* to);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    std::unique_ptr<ControlBinding> bind(Control& control) override;
    void updateBinding(ControlBinding& binding, bool windowShown) override;
    // Qt otherwise takes the tab order from the order the widgets were made in.
    void chainTab(const ControlBinding* previous, const ControlBinding& next) override;
    // The label is the control's buddy, which screen readers read it by.
    void captions(const ControlBinding& label, const ControlBinding& control) override;
    void showFrame(const FrameChanges& changes) override;
    // Where the minimise and close buttons are and whether the window stays on top.
    void applyFlags();
    void showInState(WindowState state) override;
    void hideWindow() override;
    void shown(bool wasShownOnTop) override;
    void askToComeForward();

    WindowContext& context_;
};

} // namespace dorvex::qt

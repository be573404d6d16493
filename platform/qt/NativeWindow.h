#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"
#include "platform/qt/ControlBinding.h"
#include "platform/qt/WindowContext.h"
#include "platform/windowing/Changed.h"
#include "platform/windowing/GatedEvents.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace dorvex::qt {

// The top-level widget of one loaded window model, with a binding for each of its controls.
// What the user changes (text, window state, position, focus) goes into the model; the close
// command is left to the program.
class NativeWindow final : public QWidget {
public:
    NativeWindow(WindowModel& model, WindowEvents& events, WindowContext& context);
    ~NativeWindow() override;

    WindowModel& model() const { return model_; }
    WindowEvents& events() { return events_; }
    // Sets what changed in the model since the last call; a hidden window only runs its timers.
    void update();
    // The model is unloaded: no further event reaches the program, and the window goes.
    void detach();
    // The keyboard focus came to one of this window's widgets.
    void focusMoved(const QWidget* to);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void bindNewControls();
    QWidget* widgetOf(std::string_view controlName) const;
    // Chains the widgets named in the model's tab order, which Qt otherwise takes from creation.
    void applyTabOrder();
    // Each label that captions a control is its buddy, which screen readers read it by.
    void applyCaptions();
    void updateWindow();
    void showInState(WindowState state);
    void applyFlags();
    void askToComeForward();
    void applyFocus();
    bool changedSince(auto& shown, const auto& now) { return changed(shown, now, nothingSetYet_); }

    WindowModel& model_;
    GatedEvents events_;
    WindowContext& context_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::vector<ControlBinding*> timers_; // those of bindings_ without a widget
    WindowModel shown_; // the window's own properties as last set; its lists stay empty
    bool nothingSetYet_ = true;
    bool attached_ = true;
};

} // namespace dorvex::qt

#pragma once

#include "platform/WindowEvents.h"
#include "platform/WindowModel.h"
#include "platform/qt/WindowContext.h"

#include <memory>
#include <string>

class QWidget;

namespace dorvex::qt {

// One control of a loaded window: its native counterpart, kept in line with the model.
class ControlBinding {
public:
    explicit ControlBinding(Control& model) : model_(model) {}
    virtual ~ControlBinding() = default;
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    const std::string& name() const { return model_.name; }
    // Sets on the native control what changed in the model since the last call. Widgets of a
    // hidden window wait until it shows, so that a hidden window costs nothing.
    virtual void update(bool windowShown) = 0;
    // The widget, for the focus; none for a timer.
    virtual QWidget* widget() const { return nullptr; }
    // Stops whatever would raise events by itself.
    virtual void stop() {}

protected:
    Control& model_;
};

// The binding for the control's kind; a widget becomes a child of the window and is named after
// the control.
std::unique_ptr<ControlBinding> bindControl(Control& control, QWidget& window, WindowEvents& events,
                                            WindowContext& context);

} // namespace dorvex::qt

#pragma once

#include "platform/WindowModel.h"
#include "platform/win32/gui/DpiScale.h"

#include <windows.h>

#include <string>

namespace dorvex::win32 {

// One control of a loaded window and its native counterpart, kept in line with the model.
class ControlBinding {
public:
    explicit ControlBinding(Control& model) : model_(model) {}
    virtual ~ControlBinding() = default;
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    Control& model() const { return model_; }
    const std::string& name() const { return model_.name; }
    // Sets on the native control what changed in the model since the last call. Controls of a
    // hidden window wait until it shows, so that a hidden window costs nothing.
    virtual void update(bool windowShown, const DpiScale& scale) = 0;
    // Places the control again at a new scale.
    virtual void rescale(const DpiScale& /*scale*/) {}
    // The child window; none for a timer.
    virtual HWND handle() const { return nullptr; }
    // Stops whatever would raise events by itself.
    virtual void stop() {}

protected:
    Control& model_;
};

} // namespace dorvex::win32

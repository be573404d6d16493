#pragma once

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"
#include "platform/windowing/Changed.h"

#include <QRect>
#include <QWidget>

namespace dorvex::qt {

// What every visible control has: place, tool tip, enabled, visible, font and colours. The kinds
// add their own properties in updateOwn().
class WidgetBinding : public ControlBinding {
public:
    void update(bool windowShown) final;
    QWidget* widget() const final { return &target_; }

protected:
    WidgetBinding(Control& model, QWidget& target, WindowContext& context)
        : ControlBinding(model), context_(context), target_(target) {}

    // A child widget of the window, named after the control.
    template <typename W, typename... Args>
    static W& child(QWidget& window, const Control& control, Args&&... args) {
        auto* widget = new W(&window, std::forward<Args>(args)...);
        widget->setObjectName(toQString(control.name));
        return *widget;
    }

    virtual void updateOwn() = 0;
    virtual void place(const QRect& pixels) { target_.setGeometry(pixels); }

    // True when the model's value has to be set on the widget; records it as shown.
    template <typename T> bool changed(T& shown, const T& now) const {
        return dorvex::changed(shown, now, nothingSetYet_);
    }

    Control shown_;
    WindowContext& context_;

private:
    void applyColours();

    QWidget& target_;
    bool nothingSetYet_ = true;
};

} // namespace dorvex::qt

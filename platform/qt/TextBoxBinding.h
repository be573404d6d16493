#pragma once

#include "platform/qt/WidgetBinding.h"

#include <QLineEdit>

namespace dorvex::qt {

// A one-line text box. What the user types is in the model at once.
class TextBoxBinding final : public WidgetBinding {
public:
    TextBoxBinding(Control& model, QWidget& window, WindowContext& context)
        : TextBoxBinding(model, child<QLineEdit>(window, model), context) {}

private:
    TextBoxBinding(Control& model, QLineEdit& edit, WindowContext& context);
    void updateOwn() override;
    void place(const QRect& pixels) override;

    QLineEdit& edit_;
    bool focusSink_ = false;
};

} // namespace dorvex::qt

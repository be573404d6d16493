#pragma once

#include "platform/qt/WidgetBinding.h"

#include <QPlainTextEdit>

namespace dorvex::qt {

// A text box of several lines, plain text only. What the user types is in the model at once,
// with the program's line breaks (CR LF).
class MultiLineTextBinding final : public WidgetBinding {
public:
    MultiLineTextBinding(Control& model, QWidget& window, WindowContext& context)
        : MultiLineTextBinding(model, child<QPlainTextEdit>(window, model), context) {}

private:
    MultiLineTextBinding(Control& model, QPlainTextEdit& edit, WindowContext& context);
    void updateOwn() override;

    QPlainTextEdit& edit_;
    bool settingText_ = false;
};

} // namespace dorvex::qt

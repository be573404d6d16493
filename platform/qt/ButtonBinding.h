#pragma once

#include "platform/qt/WidgetBinding.h"

#include <QPushButton>

namespace dorvex::qt {

// A command button; "&" in its caption marks the mnemonic, "&&" shows an ampersand.
class ButtonBinding final : public WidgetBinding {
public:
    ButtonBinding(Control& model, QWidget& window, WindowEvents& events, WindowContext& context)
        : ButtonBinding(model, child<QPushButton>(window, model), events, context) {}

private:
    ButtonBinding(Control& model, QPushButton& button, WindowEvents& events,
                  WindowContext& context);
    void updateOwn() override;

    QPushButton& button_;
};

} // namespace dorvex::qt

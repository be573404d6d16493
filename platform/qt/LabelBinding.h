#pragma once

#include "platform/qt/ClickableLabel.h"
#include "platform/qt/WidgetBinding.h"

namespace dorvex::qt {

// A label: plain text, wrapped at words within its width, top-aligned; it takes clicks.
class LabelBinding final : public WidgetBinding {
public:
    LabelBinding(Control& model, QWidget& window, WindowEvents& events, WindowContext& context);

private:
    LabelBinding(Control& model, ClickableLabel& label, WindowContext& context);
    void updateOwn() override;

    ClickableLabel& label_;
};

} // namespace dorvex::qt

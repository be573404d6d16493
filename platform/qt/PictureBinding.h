#pragma once

#include "platform/qt/ClickableLabel.h"
#include "platform/qt/WidgetBinding.h"

namespace dorvex::qt {

// A picture, or a picture holder, at the picture's own size from the control's top left; the
// control grows to hold all of it. It takes clicks.
class PictureBinding final : public WidgetBinding {
public:
    PictureBinding(Control& model, QWidget& window, WindowEvents& events, WindowContext& context);

private:
    PictureBinding(Control& model, ClickableLabel& label, WindowContext& context);
    void updateOwn() override;
    void place(const QRect& pixels) override;

    ClickableLabel& label_;
};

} // namespace dorvex::qt

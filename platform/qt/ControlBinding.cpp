#include "platform/qt/ControlBinding.h"

#include "platform/qt/ButtonBinding.h"
#include "platform/qt/LabelBinding.h"
#include "platform/qt/MultiLineTextBinding.h"
#include "platform/qt/PictureBinding.h"
#include "platform/qt/TextBoxBinding.h"
#include "platform/qt/TimerBinding.h"

namespace dorvex::qt {

std::unique_ptr<ControlBinding> bindControl(Control& control, QWidget& window, WindowEvents& events,
                                            WindowContext& context) {
    switch (control.kind) {
    case ControlKind::TextBox:
        if (control.multiLine) {
            return std::make_unique<MultiLineTextBinding>(control, window, context);
        }
        return std::make_unique<TextBoxBinding>(control, window, context);
    case ControlKind::Label:
        return std::make_unique<LabelBinding>(control, window, events, context);
    case ControlKind::Button:
        return std::make_unique<ButtonBinding>(control, window, events, context);
    case ControlKind::PictureBox:
    case ControlKind::Picture:
        return std::make_unique<PictureBinding>(control, window, events, context);
    case ControlKind::Timer:
        break;
    }
    return std::make_unique<TimerBinding>(control, events);
}

} // namespace dorvex::qt

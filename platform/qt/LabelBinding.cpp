#include "platform/qt/LabelBinding.h"

namespace dorvex::qt {

LabelBinding::LabelBinding(Control& model, QWidget& window, WindowEvents& events,
                           WindowContext& context)
    : LabelBinding(
          model,
          child<ClickableLabel>(window, model, [&model, &events] { events.click(model.name); }),
          context) {}

LabelBinding::LabelBinding(Control& model, ClickableLabel& label, WindowContext& context)
    : WidgetBinding(model, label, context), label_(label) {
    label_.setTextFormat(Qt::PlainText);
    label_.setWordWrap(true);
}

void LabelBinding::updateOwn() {
    if (changed(shown_.text, model_.text)) {
        label_.setText(labelCaption(model_.text));
    }
    if (changed(shown_.alignment, model_.alignment)) {
        label_.setAlignment(horizontalAlignment(model_.alignment) | Qt::AlignTop);
    }
    if (changed(shown_.transparent, model_.transparent)) {
        label_.setAutoFillBackground(!model_.transparent);
    }
}

} // namespace dorvex::qt

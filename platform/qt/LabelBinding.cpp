#include "platform/qt/LabelBinding.h"

#include "platform/qt/Accessibility.h"

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
    if (model.alert) {
        markAsAlert(label_);
    }
}

void LabelBinding::updateOwn() {
    if (changed(shown_.text, model_.text)) {
        // A label that captions a control shows its mnemonic itself.
        label_.setText(label_.buddy() != nullptr ? plainText(model_.text)
                                                 : labelCaption(model_.text));
    }
    if (changed(shown_.alignment, model_.alignment)) {
        label_.setAlignment(horizontalAlignment(model_.alignment) | Qt::AlignTop);
    }
    if (changed(shown_.raised, model_.raised) && model_.raised > 0) {
        announce(label_);
    }
    if (changed(shown_.transparent, model_.transparent)) {
        label_.setAutoFillBackground(!model_.transparent);
    }
}

} // namespace dorvex::qt

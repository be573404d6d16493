#include "platform/qt/TextBoxBinding.h"

namespace dorvex::qt {

TextBoxBinding::TextBoxBinding(Control& model, QLineEdit& edit, WindowContext& context)
    : WidgetBinding(model, edit, context), edit_(edit) {
    QObject::connect(&edit_, &QLineEdit::textEdited, &edit_, [this](const QString& text) {
        model_.text = text.toStdString();
        shown_.text = model_.text;
    });
}

void TextBoxBinding::updateOwn() {
    if (changed(shown_.text, model_.text)) {
        edit_.setText(plainText(model_.text));
    }
    if (changed(shown_.locked, model_.locked)) {
        edit_.setReadOnly(model_.locked);
    }
    if (changed(shown_.alignment, model_.alignment)) {
        edit_.setAlignment(horizontalAlignment(model_.alignment) | Qt::AlignVCenter);
    }
    // A box whose text has the colour of its background is a focus sink: without its frame it
    // cannot be seen, whatever lies over it.
    if (changed(frameless_, model_.foreColour == model_.backColour)) {
        edit_.setFrame(!frameless_);
    }
}

} // namespace dorvex::qt

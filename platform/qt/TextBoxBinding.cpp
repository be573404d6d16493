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
    if (changed(focusSink_, model_.foreColour == model_.backColour)) {
        place(context_.scale.rect(shown_.geometry));
    }
}

void TextBoxBinding::place(const QRect& pixels) {
    // A box whose text has the colour of its background is a focus sink: it takes the keyboard
    // focus, but on a window of another colour its background would show, so it has no size.
    edit_.setGeometry(focusSink_ ? QRect(pixels.topLeft(), QSize(0, 0)) : pixels);
}

} // namespace dorvex::qt

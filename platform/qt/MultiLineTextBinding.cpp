#include "platform/qt/MultiLineTextBinding.h"

#include <QTextOption>

namespace dorvex::qt {

MultiLineTextBinding::MultiLineTextBinding(Control& model, QPlainTextEdit& edit,
                                           WindowContext& context)
    : WidgetBinding(model, edit, context), edit_(edit) {
    QObject::connect(&edit_, &QPlainTextEdit::textChanged, &edit_, [this] {
        if (settingText_) {
            return;
        }
        QString text = edit_.toPlainText();
        text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
        model_.text = text.toStdString();
        shown_.text = model_.text;
    });
}

void MultiLineTextBinding::updateOwn() {
    if (changed(shown_.text, model_.text)) {
        settingText_ = true;
        edit_.setPlainText(plainText(model_.text));
        settingText_ = false;
    }
    if (changed(shown_.locked, model_.locked)) {
        edit_.setReadOnly(model_.locked);
    }
    if (changed(shown_.alignment, model_.alignment)) {
        edit_.document()->setDefaultTextOption(QTextOption(horizontalAlignment(model_.alignment)));
    }
}

} // namespace dorvex::qt

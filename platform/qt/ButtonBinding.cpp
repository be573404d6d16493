#include "platform/qt/ButtonBinding.h"

namespace dorvex::qt {

ButtonBinding::ButtonBinding(Control& model, QPushButton& button, WindowEvents& events,
                             WindowContext& context)
    : WidgetBinding(model, button, context), button_(button) {
    QObject::connect(&button_, &QPushButton::clicked, &button_,
                     [this, &events] { events.click(model_.name); });
}

void ButtonBinding::updateOwn() {
    if (changed(shown_.text, model_.text)) {
        button_.setText(plainText(model_.text));
    }
}

} // namespace dorvex::qt

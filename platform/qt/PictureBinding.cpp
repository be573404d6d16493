#include "platform/qt/PictureBinding.h"

namespace dorvex::qt {

PictureBinding::PictureBinding(Control& model, QWidget& window, WindowEvents& events,
                               WindowContext& context)
    : PictureBinding(
          model,
          child<ClickableLabel>(window, model, [&model, &events] { events.click(model.name); }),
          context) {}

PictureBinding::PictureBinding(Control& model, ClickableLabel& label, WindowContext& context)
    : WidgetBinding(model, label, context), label_(label) {
    label_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PictureBinding::updateOwn() {
    if (changed(shown_.picture, model_.picture)) {
        label_.setPixmap(context_.pictures.pixmap(model_.picture));
        place(context_.scale.rect(shown_.geometry));
    }
}

void PictureBinding::place(const QRect& pixels) {
    label_.setGeometry(QRect(pixels.topLeft(), pixels.size().expandedTo(label_.pixmap().size())));
}

} // namespace dorvex::qt

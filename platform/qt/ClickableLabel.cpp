#include "platform/qt/ClickableLabel.h"

#include <QMouseEvent>

namespace dorvex::qt {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        onClick_();
    }
}

} // namespace dorvex::qt

#include "platform/qt/PopupMenu.h"

#include "platform/qt/Conversions.h"

#include <QMenu>

namespace dorvex::qt {

std::string runPopupMenu(const WindowModel& window, const QPoint& at) {
    QMenu menu;
    menu.setObjectName(QStringLiteral("popupMenu"));
    for (const MenuItem& item : window.menu) {
        if (!item.visible) {
            continue;
        }
        if (item.caption == "-") {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(toQString(item.caption));
        action->setObjectName(toQString(item.name));
        action->setEnabled(item.enabled);
    }
    const QAction* chosen = menu.exec(at);
    return chosen == nullptr ? std::string{} : chosen->objectName().toStdString();
}

} // namespace dorvex::qt

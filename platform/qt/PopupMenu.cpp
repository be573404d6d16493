#include "platform/qt/PopupMenu.h"

#include "platform/qt/Conversions.h"

namespace dorvex::qt {

void syncMenu(QMenu& menu, const std::deque<MenuItem>& items, bool usable) {
    if (menu.actions().size() != static_cast<qsizetype>(items.size())) {
        menu.clear();
        for (std::size_t added = 0; added < items.size(); ++added) {
            menu.addAction(QString());
        }
    }
    // Setting what an action already has changes nothing, so a host that shows the menu is told
    // of real changes only.
    const QList<QAction*> actions = menu.actions();
    for (std::size_t index = 0; index < items.size(); ++index) {
        const MenuItem& item = items[index];
        QAction* action = actions[static_cast<qsizetype>(index)];
        action->setObjectName(toQString(item.name));
        action->setSeparator(item.caption == "-");
        action->setText(action->isSeparator() ? QString() : toQString(item.caption));
        action->setVisible(item.visible);
        action->setEnabled(usable && item.enabled);
    }
}

std::string runPopupMenu(const WindowModel& window, const QPoint& at) {
    QMenu menu;
    menu.setObjectName(QStringLiteral("popupMenu"));
    syncMenu(menu, window.menu, true);
    const QAction* chosen = menu.exec(at);
    return chosen == nullptr ? std::string{} : chosen->objectName().toStdString();
}

} // namespace dorvex::qt

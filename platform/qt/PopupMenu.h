#pragma once

#include "platform/WindowModel.h"

#include <QMenu>
#include <QPoint>

#include <deque>
#include <string>

namespace dorvex::qt {

// Brings the menu in line with the items: one action each, named after its item, in order;
// separators for "-"; hidden items hidden, disabled ones greyed, and every one greyed when the
// menu is not `usable`.
void syncMenu(QMenu& menu, const std::deque<MenuItem>& items, bool usable);

// The window's menu as a modal popup at the given screen position. The chosen item's name, or ""
// when dismissed.
std::string runPopupMenu(const WindowModel& window, const QPoint& at);

} // namespace dorvex::qt

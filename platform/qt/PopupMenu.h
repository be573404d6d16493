#pragma once

#include "platform/WindowModel.h"

#include <QPoint>

#include <string>

namespace dorvex::qt {

// The window's menu as a modal popup at the given screen position: the visible items in order,
// "-" as separators, disabled items greyed. The chosen item's name, or "" when dismissed.
std::string runPopupMenu(const WindowModel& window, const QPoint& at);

} // namespace dorvex::qt

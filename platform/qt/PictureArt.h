#pragma once

#include <QPixmap>

#include <string_view>

namespace dorvex::qt {

// The program's own pictures, drawn when first needed.

// A state icon of the given size in pixels: a white power symbol on a shape whose colour and
// outline follow the state ("activate", "activity", "window" for no activity, "shutdown"), so
// the states differ in shape as well as colour. Null for any other name.
QPixmap drawStateIcon(std::string_view name, int size);
// The logo of the main window, 55 by 58 pixels.
QPixmap drawLogo();
// The background of the about box, 164 by 314 pixels.
QPixmap drawAboutBackground();

} // namespace dorvex::qt

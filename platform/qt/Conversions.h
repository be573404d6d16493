#pragma once

#include "platform/WindowModel.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

#include <string>

namespace dorvex::qt {

QString toQString(const std::string& text);
// Line breaks as the program writes them (CR LF) become Qt's (LF).
QString plainText(const std::string& text);
// A label's caption: "&&" shows one ampersand, a single "&" marks a mnemonic and is not shown.
QString labelCaption(const std::string& caption);
Qt::Alignment horizontalAlignment(Alignment alignment);
// A colour by role is taken from the palette, so it follows the desktop's colours.
QColor resolveColour(const Colour& colour, const QPalette& palette);
QFont toQFont(const Font& font);

} // namespace dorvex::qt

#include "platform/qt/Conversions.h"

namespace dorvex::qt {

QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}

QString plainText(const std::string& text) {
    QString converted = toQString(text);
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

QString labelCaption(const std::string& caption) {
    const QString text = plainText(caption);
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                shown += u'&';
                ++i;
            }
            continue;
        }
        shown += text[i];
    }
    return shown;
}

Qt::Alignment horizontalAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QColor resolveColour(const Colour& colour, const QPalette& palette) {
    switch (colour.role) {
    case Colour::Role::WindowText:
        return palette.color(QPalette::WindowText);
    case Colour::Role::ButtonFace:
        return palette.color(QPalette::Button);
    case Colour::Role::WindowBackground:
        return palette.color(QPalette::Base);
    case Colour::Role::Rgb:
        break;
    }
    return {colour.red, colour.green, colour.blue};
}

QFont toQFont(const Font& font) {
    QFont qfont(toQString(font.face));
    qfont.setPointSizeF(font.points);
    qfont.setBold(font.bold);
    qfont.setUnderline(font.underline);
    return qfont;
}

} // namespace dorvex::qt

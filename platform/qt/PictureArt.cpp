#include "platform/qt/PictureArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace dorvex::qt {

namespace {

enum class Shape { Circle, Tile, Octagon };

struct StateLook {
    std::string_view name;
    QColor fill;
    Shape shape;
};

// Blue and orange stay apart for every kind of colour blindness; green and red get their own
// outlines besides.
const std::array<StateLook, 4> stateLooks{{
    {"activate", QColor(30, 100, 210), Shape::Circle},
    {"activity", QColor(25, 150, 55), Shape::Tile},
    {"window", QColor(245, 130, 20), Shape::Circle},
    {"shutdown", QColor(210, 35, 35), Shape::Octagon},
}};

QPainterPath shapePath(Shape shape, const QRectF& box) {
    QPainterPath path;
    switch (shape) {
    case Shape::Circle:
        path.addEllipse(box);
        break;
    case Shape::Tile:
        path.addRoundedRect(box, box.width() * 0.22, box.height() * 0.22);
        break;
    case Shape::Octagon: {
        QPolygonF corners;
        const QPointF centre = box.center();
        const double radius = box.width() / 2 / std::cos(std::numbers::pi / 8);
        for (int i = 0; i < 8; ++i) {
            const double angle = std::numbers::pi / 8 + i * std::numbers::pi / 4;
            corners << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        }
        path.addPolygon(corners);
        path.closeSubpath();
        break;
    }
    }
    return path;
}

// A ring open at the top with a bar through the opening.
void drawPowerSymbol(QPainter& painter, QPointF centre, double radius, double width,
                     const QColor& colour) {
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    constexpr int sixteenths = 16;
    painter.drawArc(ring, 130 * sixteenths, 280 * sixteenths);
    painter.drawLine(QPointF(centre.x(), centre.y() - radius * 1.25),
                     QPointF(centre.x(), centre.y() - radius * 0.15));
}

QPixmap transparentPixmap(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap drawStateIcon(std::string_view name, int size) {
    const auto* look = std::ranges::find(stateLooks, name, &StateLook::name);
    if (look == stateLooks.end()) {
        return {};
    }
    QPixmap pixmap = transparentPixmap(size, size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double outline = size <= 16 ? 1.0 : size / 16.0;
    const QRectF box(outline / 2, outline / 2, size - outline, size - outline);
    painter.setPen(QPen(look->fill.darker(160), outline));
    painter.setBrush(look->fill);
    painter.drawPath(shapePath(look->shape, box));
    drawPowerSymbol(painter, box.center() + QPointF(0, size * 0.04), size * 0.25,
                    std::max(1.6, size * 0.11), Qt::white);
    return pixmap;
}

QPixmap drawLogo() {
    constexpr int width = 55;
    constexpr int height = 58;
    QPixmap pixmap = transparentPixmap(width, height);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(20, 55, 120));
    sky.setColorAt(1, QColor(40, 120, 215));
    painter.setPen(QPen(QColor(10, 30, 70), 1));
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 9, 9);
    // A crescent moon: the computer goes to sleep.
    QPainterPath moon;
    moon.addEllipse(QRectF(35, 6, 14, 14));
    QPainterPath bite;
    bite.addEllipse(QRectF(39, 3, 14, 14));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 200, 70));
    painter.drawPath(moon.subtracted(bite));
    drawPowerSymbol(painter, QPointF(width / 2.0, height / 2.0 + 4), 15, 5, Qt::white);
    return pixmap;
}

QPixmap drawAboutBackground() {
    constexpr int width = 164;
    constexpr int height = 314;
    // The name sits on white between the emblem and the band that carries the version in white.
    constexpr int emblemBottom = 66;
    constexpr int bandTop = 95;
    constexpr int bandBottom = 121;
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, emblemBottom);
    sky.setColorAt(0, QColor(12, 36, 85));
    sky.setColorAt(1, QColor(30, 95, 190));
    painter.fillRect(QRect(0, 0, width, emblemBottom), sky);
    drawPowerSymbol(painter, QPointF(width / 2.0, 36), 17, 5, QColor(255, 255, 255, 235));
    painter.fillRect(QRect(0, bandTop, width, bandBottom - bandTop), QColor(30, 95, 190));
    painter.fillRect(QRect(0, bandBottom, width, 3), QColor(255, 128, 0));
    QLinearGradient floor(0, height - 26, 0, height);
    floor.setColorAt(0, Qt::white);
    floor.setColorAt(1, QColor(205, 220, 240));
    painter.fillRect(QRect(0, height - 26, width, 26), floor);
    return pixmap;
}

} // namespace dorvex::qt

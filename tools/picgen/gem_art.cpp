#include "gem_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace tessaly::picgen {
namespace {

QPolygonF regularPolygon(int corners, qreal radius, qreal innerRadius, qreal turn) {
    QPolygonF polygon;
    const int points = innerRadius > 0 ? corners * 2 : corners;
    for (int i = 0; i < points; ++i) {
        const qreal r = (innerRadius > 0 && i % 2 == 1) ? innerRadius : radius;
        const qreal a = turn + 2 * std::numbers::pi * i / points;
        polygon << QPointF(0.5 + r * std::cos(a), 0.5 + r * std::sin(a));
    }
    return polygon;
}

// Shapes in a unit square; chosen so that they differ in outline, not just in size.
QPainterPath unitShape(GemShape shape) {
    QPainterPath path;
    const qreal up = -std::numbers::pi / 2;
    switch (shape) {
        case GemShape::Circle:
            path.addEllipse(QRectF(0.06, 0.06, 0.88, 0.88));
            break;
        case GemShape::Square:
            path.addRoundedRect(QRectF(0.1, 0.1, 0.8, 0.8), 0.1, 0.1);
            break;
        case GemShape::Triangle:
            path.addPolygon(QPolygonF{{0.5, 0.04}, {0.97, 0.9}, {0.03, 0.9}});
            break;
        case GemShape::Diamond:
            path.addPolygon(QPolygonF{{0.5, 0.0}, {0.88, 0.5}, {0.5, 1.0}, {0.12, 0.5}});
            break;
        case GemShape::Ring:
            // The hole is wide enough that a ring never passes for a plain circle.
            path.addEllipse(QRectF(0.04, 0.04, 0.92, 0.92));
            path.addEllipse(QRectF(0.2, 0.2, 0.6, 0.6));
            path.setFillRule(Qt::OddEvenFill);
            break;
        case GemShape::Star:
            path.addPolygon(regularPolygon(5, 0.52, 0.22, up));
            path.translate(0, 0.05);
            break;
        case GemShape::Heart:
            path.moveTo(0.5, 0.95);
            path.cubicTo(0.1, 0.65, -0.05, 0.35, 0.2, 0.15);
            path.cubicTo(0.35, 0.04, 0.48, 0.12, 0.5, 0.28);
            path.cubicTo(0.52, 0.12, 0.65, 0.04, 0.8, 0.15);
            path.cubicTo(1.05, 0.35, 0.9, 0.65, 0.5, 0.95);
            break;
        case GemShape::Cross:
            path.addRoundedRect(QRectF(0.32, 0.04, 0.36, 0.92), 0.06, 0.06);
            path.addRoundedRect(QRectF(0.04, 0.32, 0.92, 0.36), 0.06, 0.06);
            path = path.simplified();
            break;
        case GemShape::Crescent: {
            QPainterPath bite;
            path.addEllipse(QRectF(0.04, 0.04, 0.92, 0.92));
            bite.addEllipse(QRectF(0.34, -0.04, 0.8, 0.8));
            path = path.subtracted(bite);
            break;
        }
    }
    path.closeSubpath();
    return path;
}

}  // namespace

QImage renderGem(GemShape shape, const QColor& colour, int box) {
    QImage image(box, box, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(box, box);
    const QPainterPath path = unitShape(shape);

    QRadialGradient body(QPointF(0.38, 0.32), 0.75);
    body.setColorAt(0.0, colour.lighter(175));
    body.setColorAt(0.45, colour);
    body.setColorAt(1.0, colour.darker(170));
    p.fillPath(path, body);

    // A soft glint in the upper left makes the flat shape read as a polished stone.
    p.save();
    p.setClipPath(path);
    QRadialGradient glint(QPointF(0.34, 0.26), 0.22);
    glint.setColorAt(0.0, QColor(255, 255, 255, 200));
    glint.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, 0, 1, 1), glint);
    p.restore();

    p.setPen(QPen(colour.darker(230), 2.2 / box));
    p.drawPath(path);
    return image;
}

}  // namespace tessaly::picgen

#include "gem_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

namespace tessaly::picgen {
namespace {

QPolygonF RegularPolygon(int corners, qreal radius, qreal innerRadius, qreal turn) {
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
QPainterPath UnitShape(GemShape shape) {
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
            path.addPolygon(RegularPolygon(5, 0.52, 0.22, up));
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
        case GemShape::Hexagon:
            path.addPolygon(RegularPolygon(6, 0.5, 0, 0));
            break;
        case GemShape::Drop:
            path.moveTo(0.5, 0.02);
            path.cubicTo(0.72, 0.32, 0.9, 0.48, 0.9, 0.66);
            path.cubicTo(0.9, 0.88, 0.72, 0.98, 0.5, 0.98);
            path.cubicTo(0.28, 0.98, 0.1, 0.88, 0.1, 0.66);
            path.cubicTo(0.1, 0.48, 0.28, 0.32, 0.5, 0.02);
            break;
        case GemShape::Bolt:
            // Broad enough to carry as much colour as the rounder gems.
            path.addPolygon(QPolygonF{{0.68, 0.0},
                                      {0.02, 0.64},
                                      {0.4, 0.64},
                                      {0.26, 1.0},
                                      {0.98, 0.32},
                                      {0.6, 0.32},
                                      {0.8, 0.0}});
            break;
        case GemShape::Clover:
            path.addEllipse(QPointF(0.5, 0.27), 0.25, 0.25);
            path.addEllipse(QPointF(0.26, 0.67), 0.25, 0.25);
            path.addEllipse(QPointF(0.74, 0.67), 0.25, 0.25);
            path.addEllipse(QPointF(0.5, 0.54), 0.16, 0.16);
            path.setFillRule(Qt::WindingFill);
            path = path.simplified();
            break;
        case GemShape::Arrow:
            path.addPolygon(QPolygonF{{0.5, 0.02},
                                      {0.96, 0.5},
                                      {0.68, 0.5},
                                      {0.68, 0.98},
                                      {0.32, 0.98},
                                      {0.32, 0.5},
                                      {0.04, 0.5}});
            break;
        case GemShape::Sparkle:
            path.addPolygon(RegularPolygon(4, 0.52, 0.24, up));
            break;
        case GemShape::Dome:
            path.moveTo(0.02, 0.78);
            path.arcTo(QRectF(0.02, 0.1, 0.96, 1.36), 180, -180);
            path.lineTo(0.02, 0.78);
            break;
        case GemShape::Oval:
            path.addEllipse(QRectF(0.02, 0.22, 0.96, 0.56));
            break;
        case GemShape::Shield:
            path.moveTo(0.08, 0.06);
            path.lineTo(0.92, 0.06);
            path.lineTo(0.92, 0.45);
            path.cubicTo(0.92, 0.72, 0.72, 0.88, 0.5, 0.98);
            path.cubicTo(0.28, 0.88, 0.08, 0.72, 0.08, 0.45);
            break;
        case GemShape::Flower:
            for (int petal = 0; petal < 6; ++petal) {
                const qreal a = up + std::numbers::pi * petal / 3;
                path.addEllipse(QPointF(0.5 + 0.3 * std::cos(a), 0.5 + 0.3 * std::sin(a)), 0.19,
                                0.19);
            }
            path.addEllipse(QPointF(0.5, 0.5), 0.22, 0.22);
            path.setFillRule(Qt::WindingFill);
            path = path.simplified();
            break;
        case GemShape::Hourglass:
            path.addPolygon(QPolygonF{
                {0.08, 0.04}, {0.92, 0.04}, {0.6, 0.5}, {0.92, 0.96}, {0.08, 0.96}, {0.4, 0.5}});
            break;
        case GemShape::Pentagon:
            path.addPolygon(RegularPolygon(5, 0.5, 0, up));
            path.translate(0, 0.04);
            break;
        case GemShape::Semicircle:
            path.moveTo(0.02, 0.72);
            path.arcTo(QRectF(0.02, 0.26, 0.96, 0.92), 180, -180);
            break;
        case GemShape::Trapezoid:
            path.addPolygon(QPolygonF{{0.3, 0.18}, {0.7, 0.18}, {0.98, 0.82}, {0.02, 0.82}});
            break;
        case GemShape::Chevron:
            path.addPolygon(QPolygonF{
                {0.02, 0.2}, {0.5, 0.58}, {0.98, 0.2}, {0.98, 0.5}, {0.5, 0.88}, {0.02, 0.5}});
            break;
        case GemShape::Octagon:
            path.addPolygon(RegularPolygon(8, 0.5, 0, std::numbers::pi / 8));
            break;
        case GemShape::Kite:
            path.addPolygon(QPolygonF{{0.5, 0.02}, {0.86, 0.34}, {0.5, 0.98}, {0.14, 0.34}});
            break;
        case GemShape::Leaf:
            // A pointed oval on the diagonal.
            path.moveTo(0.1, 0.9);
            path.cubicTo(0.05, 0.4, 0.4, 0.05, 0.9, 0.1);
            path.cubicTo(0.95, 0.6, 0.6, 0.95, 0.1, 0.9);
            break;
        case GemShape::Arch:
            // A broad band over an open middle, like a bridge.
            path.moveTo(0.02, 0.9);
            path.arcTo(QRectF(0.02, 0.08, 0.96, 1.64), 180, -180);
            path.lineTo(0.72, 0.9);
            path.arcTo(QRectF(0.28, 0.5, 0.44, 0.8), 0, 180);
            path.lineTo(0.02, 0.9);
            break;
        case GemShape::Frame:
            path.addRect(QRectF(0.06, 0.06, 0.88, 0.88));
            path.addRect(QRectF(0.3, 0.3, 0.4, 0.4));
            path.setFillRule(Qt::OddEvenFill);
            break;
        case GemShape::Parallelogram:
            path.addPolygon(QPolygonF{{0.3, 0.2}, {0.98, 0.2}, {0.7, 0.8}, {0.02, 0.8}});
            break;
        case GemShape::Crown:
            path.addPolygon(QPolygonF{{0.04, 0.86},
                                      {0.04, 0.2},
                                      {0.27, 0.5},
                                      {0.5, 0.1},
                                      {0.73, 0.5},
                                      {0.96, 0.2},
                                      {0.96, 0.86}});
            break;
        case GemShape::Stairs:
            // Three square steps rising to the right, unlike any sloped or rounded outline.
            path.addPolygon(QPolygonF{{0.04, 0.96},
                                      {0.04, 0.66},
                                      {0.35, 0.66},
                                      {0.35, 0.35},
                                      {0.66, 0.35},
                                      {0.66, 0.04},
                                      {0.96, 0.04},
                                      {0.96, 0.96}});
            break;
        case GemShape::Fan:
            // A quarter disc with its corner low on the left.
            path.moveTo(0.06, 0.94);
            path.lineTo(0.06, 0.06);
            path.arcTo(QRectF(-0.82, 0.06, 1.76, 1.76), 90, -90);
            path.lineTo(0.06, 0.94);
            break;
    }
    path.closeSubpath();
    return path;
}

// Light bands or dark dots cut into the face: they change the gem's light and dark, which every
// player sees, where a change of hue alone escapes some.
void CutPattern(QPainter& p, GemPattern pattern, const QColor& colour) {
    switch (pattern) {
        case GemPattern::Plain:
            break;
        case GemPattern::Stripes:
            // Two broad light bands across the face.
            for (const qreal at : {-0.42, 0.12}) {
                QPainterPath band;
                band.addPolygon(
                    QPolygonF{{at, 1.0}, {at + 0.22, 1.0}, {at + 1.22, 0.0}, {at + 1.0, 0.0}});
                p.fillPath(band, QColor(255, 255, 255, 210));
            }
            break;
        case GemPattern::Dots:
            // Four dark dots, like rivets.
            for (const QPointF at : {QPointF(0.33, 0.36), QPointF(0.67, 0.36), QPointF(0.33, 0.68),
                                     QPointF(0.67, 0.68)}) {
                QPainterPath dot;
                dot.addEllipse(at, 0.11, 0.11);
                p.fillPath(dot, colour.darker(400));
            }
            break;
        case GemPattern::Half:
            // The lower half in shadow, as a stone cut in two tones.
            p.fillRect(QRectF(0, 0.5, 1, 0.5), colour.darker(330));
            break;
        case GemPattern::Spot: {
            // A large pale spot in the middle, like a cabochon's eye.
            QPainterPath spot;
            spot.addEllipse(QPointF(0.5, 0.54), 0.2, 0.2);
            p.fillPath(spot, QColor(255, 255, 255, 225));
            break;
        }
    }
}

}  // namespace

QImage RenderGem(GemShape shape, GemPattern pattern, const QColor& colour, int box) {
    QImage image(box, box, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(box, box);
    const QPainterPath path = UnitShape(shape);

    QRadialGradient body(QPointF(0.38, 0.32), 0.75);
    body.setColorAt(0.0, colour.lighter(175));
    body.setColorAt(0.45, colour);
    body.setColorAt(1.0, colour.darker(170));
    p.fillPath(path, body);

    // A soft glint in the upper left makes the flat shape read as a polished stone.
    p.save();
    p.setClipPath(path);
    CutPattern(p, pattern, colour);
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

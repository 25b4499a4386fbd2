#include "drawing/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cmath>

namespace tessaly {

namespace {

const QColor LinkRed(230, 20, 20);
const QColor TileFace(250, 242, 222);
const QColor TileEdge(120, 84, 40);
const QColor TileDot(214, 46, 60);

// A menu's or a title bar's few pixels get a drawing of their own: strokes as whole-pixel
// rectangles, at full intensity, and a dark outline that keeps the light tiles apart from a
// light panel.
void PaintSmallAppIcon(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing, false);
    auto at = [size](double units) { return static_cast<int>(std::lround(units * size / 32)); };
    const int stroke = size >= 22 ? 2 : 1;
    const QRect left(at(2), at(14), at(12), size - at(14) - at(2));
    const QRect right(size - at(2) - left.width(), left.top(), left.width(), left.height());

    const int top = at(4);
    const int from = left.left() + (left.width() - stroke) / 2;
    const int to = right.left() + (right.width() - stroke) / 2;
    p.fillRect(QRect(from, top, stroke, left.top() - top), LinkRed);
    p.fillRect(QRect(from, top, to + stroke - from, stroke), LinkRed);
    p.fillRect(QRect(to, top, stroke, right.top() - top), LinkRed);

    for (const QRect& tile : {left, right}) {
        p.fillRect(tile, TileEdge);
        p.fillRect(tile.adjusted(1, 1, -1, -1), TileFace);
        const int dot = size >= 22 ? 4 : 2;
        p.fillRect(QRect(tile.left() + (tile.width() - dot) / 2,
                         tile.top() + (tile.height() - dot) / 2, dot, dot),
                   TileDot);
    }
}

}  // namespace

// Two matching tiles joined by a red two-turn path: the game in one glance.
void PaintAppIcon(QPainter& p, int size) {
    if (size <= 24) {
        PaintSmallAppIcon(p, size);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;

    auto tile = [&](QRectF r) {
        p.setPen(Qt::NoPen);
        p.setBrush(TileEdge);
        p.drawRoundedRect(r.translated(1.2 * s, 1.2 * s), 2.5 * s, 2.5 * s);
        p.setBrush(TileFace);
        p.drawRoundedRect(r, 2.5 * s, 2.5 * s);
        p.setBrush(TileDot);
        const QPointF c = r.center();
        p.drawEllipse(c, r.width() * 0.28, r.width() * 0.28);
        p.setBrush(QColor(255, 210, 80));
        p.drawEllipse(c + QPointF(-r.width() * 0.08, -r.width() * 0.08), r.width() * 0.09,
                      r.width() * 0.09);
    };
    const QRectF left(2 * s, 14 * s, 12 * s, 15 * s);
    const QRectF right(18 * s, 14 * s, 12 * s, 15 * s);

    QPen link(LinkRed, std::max(1.0, 2.4 * s), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(link);
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(left.center().x(), left.top());
    path.lineTo(left.center().x(), 5 * s);
    path.lineTo(right.center().x(), 5 * s);
    path.lineTo(right.center().x(), right.top());
    p.drawPath(path);

    tile(left);
    tile(right);
}

QIcon MakeAppIcon() {
    QIcon icon;
    for (int size : std::array{16, 20, 22, 24, 32, 40, 48, 64, 96, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        PaintAppIcon(p, size);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace tessaly

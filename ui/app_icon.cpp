#include "ui/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <array>

namespace tessaly {

// Two matching tiles joined by a red two-turn path: the game in one glance.
void PaintAppIcon(QPainter& p, int size) {
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;

    auto tile = [&](QRectF r) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(120, 84, 40));
        p.drawRoundedRect(r.translated(1.2 * s, 1.2 * s), 2.5 * s, 2.5 * s);
        p.setBrush(QColor(250, 242, 222));
        p.drawRoundedRect(r, 2.5 * s, 2.5 * s);
        p.setBrush(QColor(214, 46, 60));
        const QPointF c = r.center();
        p.drawEllipse(c, r.width() * 0.28, r.width() * 0.28);
        p.setBrush(QColor(255, 210, 80));
        p.drawEllipse(c + QPointF(-r.width() * 0.08, -r.width() * 0.08), r.width() * 0.09,
                      r.width() * 0.09);
    };
    const QRectF left(2 * s, 14 * s, 12 * s, 15 * s);
    const QRectF right(18 * s, 14 * s, 12 * s, 15 * s);

    QPen link(QColor(230, 20, 20), std::max(1.0, 2.4 * s), Qt::SolidLine, Qt::RoundCap,
              Qt::RoundJoin);
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

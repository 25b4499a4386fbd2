#include "tile_face.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>

#include "glyph_legibility.h"

namespace tessaly::picgen {

QImage PaintTile(const QImage& art, const QColor& accent, int size) {
    QImage tile(size, size, QImage::Format_RGB32);
    tile.fill(QColor(0x23, 0x20, 0x1c));
    const qreal unit = qreal(size) / CellSize;
    QPainter p(&tile);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(unit, unit);

    // The sides show below and to the right of the face, as on a tile lit from the top left.
    QPainterPath body;
    body.addRoundedRect(QRectF(1, 1, 48, 48), 6, 6);
    QLinearGradient side(0, 0, 50, 50);
    side.setColorAt(0.0, accent.lighter(115));
    side.setColorAt(1.0, accent.darker(150));
    p.fillPath(body, side);

    QPainterPath face;
    face.addRoundedRect(QRectF(2, 2, 43.5, 43.5), 5, 5);
    QLinearGradient ivory(0, 2, 0, 45);
    ivory.setColorAt(0.0, QColor(0xff, 0xfd, 0xf6));
    ivory.setColorAt(1.0, QColor(0xf0, 0xe7, 0xd3));
    p.fillPath(face, ivory);
    QLinearGradient bevel(2, 2, 45, 45);
    bevel.setColorAt(0.0, QColor(255, 255, 255));
    bevel.setColorAt(0.5, QColor(0xe6, 0xdb, 0xc2));
    bevel.setColorAt(1.0, QColor(0xa8, 0x96, 0x74));
    p.setPen(QPen(QBrush(bevel), 1.2));
    p.drawPath(face);

    // A faint dark halo keeps light parts of a picture apart from the light face; a faint
    // shadow lifts the picture off it.
    p.resetTransform();
    const QPointF at(5 * unit, 5 * unit);
    QImage shade = art;
    {
        QPainter s(&shade);
        s.setCompositionMode(QPainter::CompositionMode_SourceIn);
        s.fillRect(shade.rect(), QColor(0x4a, 0x3a, 0x28));
    }
    // A picture as pale as the face (a swan, a cloud, milk) gets a real outline instead.
    const bool pale = FaceContrast(art) < kMinGlyphContrast;
    const qreal step = (pale ? 0.9 : 0.7) * unit;
    p.setOpacity(pale ? 0.75 : 0.16);
    const qreal d = step * M_SQRT1_2;
    const std::array<QPointF, 8> around{QPointF(-step, 0), QPointF(step, 0), QPointF(0, -step),
                                        QPointF(0, step),  QPointF(-d, -d),  QPointF(d, -d),
                                        QPointF(-d, d),    QPointF(d, d)};
    for (std::size_t i = 0; i < (pale ? around.size() : 4); ++i) p.drawImage(at + around[i], shade);
    p.setOpacity(0.2);
    p.drawImage(at + QPointF(unit, unit), shade);
    p.setOpacity(1.0);
    p.drawImage(at, art);
    return tile;
}

}  // namespace tessaly::picgen

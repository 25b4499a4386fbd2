#include "start_picture.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace tessaly::picgen {
namespace {

const QString kFamily = QStringLiteral("Noto Sans CJK SC");

QFont StartFont(int pixels, QFont::Weight weight) {
    QFont font(kFamily);
    font.setPixelSize(pixels);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void PaintSurface(QPainter& p) {
    QRadialGradient glow(QPointF(kStartWidth / 2.0, kStartHeight * 0.45), kStartWidth * 0.7);
    glow.setColorAt(0.0, QColor(0x1d, 0x5e, 0x6b));
    glow.setColorAt(0.6, QColor(0x10, 0x32, 0x4a));
    glow.setColorAt(1.0, QColor(0x08, 0x16, 0x2a));
    p.fillRect(QRect(0, 0, kStartWidth, kStartHeight), glow);
    // The board's cell grid, faintly, so the picture belongs to the board it covers.
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    for (int x = 0; x <= kStartWidth; x += 50) p.drawLine(x, 0, x, kStartHeight);
    for (int y = 0; y <= kStartHeight; y += 50) p.drawLine(0, y, kStartWidth, y);
}

void PaintFan(QPainter& p, const std::vector<QImage>& tiles) {
    const int count = int(tiles.size());
    const QPointF pivot(kStartWidth / 2.0, 600);
    const qreal spread = 10.0;
    // Outer tiles first, so the fan overlaps the same way on both sides with the middle on top.
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    const qreal middle = (count - 1) / 2.0;
    std::stable_sort(order.begin(), order.end(), [middle](int a, int b) {
        return std::abs(a - middle) > std::abs(b - middle);
    });
    for (const int i : order) {
        const QImage& tile = tiles[i];
        p.save();
        p.translate(pivot);
        p.rotate((i - middle) * spread);
        const QRectF place(-tile.width() / 2.0, -425, tile.width(), tile.height());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawRoundedRect(place.translated(5, 7), 12, 12);
        p.drawImage(place.topLeft(), tile);
        p.restore();
    }
}

void PaintTitle(QPainter& p) {
    QPainterPath title;
    const QFont font = StartFont(96, QFont::Black);
    title.addText(0, 0, font, QStringLiteral("Tessaly"));
    const QRectF box = title.boundingRect();
    title.translate(kStartWidth / 2.0 - box.center().x(), 118 - box.bottom());
    p.fillPath(title.translated(3, 4), QColor(0, 0, 0, 120));
    QLinearGradient gold(0, title.boundingRect().top(), 0, title.boundingRect().bottom());
    gold.setColorAt(0.0, QColor(0xff, 0xf4, 0xc2));
    gold.setColorAt(0.55, QColor(0xf7, 0xc5, 0x3c));
    gold.setColorAt(1.0, QColor(0xd9, 0x82, 0x1e));
    p.setPen(QPen(QColor(0x5a, 0x2e, 0x08), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(gold);
    p.drawPath(title);
}

void PaintHint(QPainter& p) {
    const QRectF hintBox(0, 346, kStartWidth, 44);
    p.setFont(StartFont(30, QFont::Bold));
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(hintBox.translated(2, 2), Qt::AlignCenter, QStringLiteral("按 F1 – F4 开始游戏"));
    p.setPen(QColor(0xff, 0xff, 0xff));
    p.drawText(hintBox, Qt::AlignCenter, QStringLiteral("按 F1 – F4 开始游戏"));

    // One key cap per grade, so the player sees which key starts which game.
    const std::array<std::pair<const char*, QString>, 4> keys{{
        {"F1", QStringLiteral("初级")},
        {"F2", QStringLiteral("中级")},
        {"F3", QStringLiteral("高级")},
        {"F4", QStringLiteral("特级")},
    }};
    const qreal width = 140, gap = 18;
    qreal x = (kStartWidth - (keys.size() * width + (keys.size() - 1) * gap)) / 2;
    for (const auto& [key, grade] : keys) {
        const QRectF cap(x, 414, 46, 36);
        p.setPen(QPen(QColor(0x5a, 0x4a, 0x2a), 1.5));
        QLinearGradient face(0, cap.top(), 0, cap.bottom());
        face.setColorAt(0.0, QColor(0xff, 0xfb, 0xee));
        face.setColorAt(1.0, QColor(0xe3, 0xd4, 0xae));
        p.setBrush(face);
        p.drawRoundedRect(cap, 6, 6);
        p.setFont(StartFont(18, QFont::Bold));
        p.setPen(QColor(0x3a, 0x2a, 0x10));
        p.drawText(cap, Qt::AlignCenter, QLatin1String(key));
        p.setFont(StartFont(22, QFont::Medium));
        p.setPen(QColor(0xf7, 0xd6, 0x7a));
        p.drawText(QRectF(cap.right() + 10, cap.top(), width - cap.width() - 10, cap.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, grade);
        x += width + gap;
    }
}

}  // namespace

QString StartFontError() {
    if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).contains(kFamily)) return {};
    return QStringLiteral("the font \"%1\" is not installed").arg(kFamily);
}

QImage PaintStartPicture(const std::vector<QImage>& tiles) {
    QImage image(kStartWidth, kStartHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    PaintSurface(p);
    PaintFan(p, tiles);
    PaintTitle(p);
    PaintHint(p);
    return image;
}

}  // namespace tessaly::picgen

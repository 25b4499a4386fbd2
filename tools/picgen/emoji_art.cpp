#include "emoji_art.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "glyph_legibility.h"

namespace tessaly::picgen {
namespace {

const QString kFamily = QStringLiteral("Noto Color Emoji");
// The font's bitmaps are 136 px tall; drawing near that size and scaling down smoothly gives
// cleaner small tiles than asking the font for 38 px.
constexpr int kDrawSize = 128;
constexpr int kCanvas = 192;

bool IsJoinerOrSelector(char32_t c) {
    return c == 0x200D || c == 0xFE0F || c == 0xFE0E || c == 0x20E3;
}

QRect OpaqueBounds(const QImage& image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) > 16) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// The glyphs the font draws for `text` after shaping, ligatures such as flags included.
QList<quint32> ShapedGlyphs(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QList<quint32> glyphs;
    for (const QGlyphRun& run : layout.glyphRuns()) glyphs += run.glyphIndexes();
    return glyphs;
}

}  // namespace

EmojiArt::EmojiArt() {
    if (!QFontDatabase::families().contains(kFamily)) {
        fontError_ = QStringLiteral("the font \"%1\" is not installed").arg(kFamily);
        return;
    }
    font_ = QFont(kFamily);
    font_.setPixelSize(kDrawSize);
    // No fallback: a code point the emoji font lacks must be an error, not a grey outline glyph.
    font_.setStyleStrategy(QFont::NoFontMerging);
    raw_ = QRawFont::fromFont(font_);
    singleAdvance_ = QFontMetricsF(font_).horizontalAdvance(QString::fromUtf8("\U0001F600"));
    // Two regional letters that name no country: the font answers with a flag showing "?".
    unknownFlag_ = ShapedGlyphs(QString::fromUtf8("\U0001F1FF\U0001F1FF"), font_);
}

QString EmojiArt::Check(const QString& text) const {
    if (!fontError_.isEmpty()) return fontError_;
    for (const char32_t c : text.toUcs4()) {
        if (!IsJoinerOrSelector(c) && !raw_.supportsCharacter(c)) {
            return QStringLiteral("U+%1 is not in %2")
                .arg(uint(c), 4, 16, QLatin1Char('0'))
                .arg(kFamily);
        }
    }
    // A flag or joined sequence the font cannot combine falls apart into several glyphs side by
    // side; a real picture advances like one emoji.
    const qreal advance = QFontMetricsF(font_).horizontalAdvance(text);
    if (advance > 1.4 * singleAdvance_) {
        return QStringLiteral("%1 does not combine into one picture").arg(kFamily);
    }
    if (ShapedGlyphs(text, font_) == unknownFlag_) {
        return QStringLiteral("%1 knows no such flag").arg(kFamily);
    }
    return {};
}

QImage EmojiArt::Render(const QString& text, int box) const {
    QImage canvas(kCanvas, kCanvas, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setFont(font_);
        p.drawText(canvas.rect(), Qt::AlignCenter, text);
    }
    QImage fitted(box, box, QImage::Format_ARGB32_Premultiplied);
    fitted.fill(Qt::transparent);
    const QRect bounds = OpaqueBounds(canvas);
    if (bounds.isEmpty()) return fitted;
    const QImage trimmed = canvas.copy(bounds);
    QImage glyph = trimmed.scaled(box, box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Sized by ink, not by box: a picture that fills its square shrinks until it covers no
    // more than a slim one does, so a set's tiles look of one size and none like a sticker.
    if (const double ink = InkShare(glyph) * glyph.width() * glyph.height() / (box * box);
        ink > kInkShare) {
        const double scale = std::sqrt(kInkShare / ink);
        const int side = std::max(1, int(std::lround(box * scale)));
        glyph = trimmed.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QPainter p(&fitted);
    p.drawImage((box - glyph.width()) / 2, (box - glyph.height()) / 2, glyph);
    return fitted;
}

}  // namespace tessaly::picgen

#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QRawFont>
#include <QString>

namespace tessaly::picgen {

// Draws emoji from the colour emoji font, trimmed of the font's margins and sized by the ink
// they put on the tile (glyph_legibility.h).
class EmojiArt {
  public:
    EmojiArt();

    // Empty when the font is installed; otherwise what is missing.
    QString FontError() const { return fontError_; }

    // Empty when the font draws the sequence as one colour picture; otherwise why not.
    QString Check(const QString& text) const;

    // The emoji in a transparent box x box square, centred.
    QImage Render(const QString& text, int box) const;

  private:
    QFont font_;
    QRawFont raw_;
    QString fontError_;
    qreal singleAdvance_ = 0;
    QList<quint32> unknownFlag_;
};

}  // namespace tessaly::picgen

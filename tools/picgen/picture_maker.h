#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "emoji_art.h"
#include "picture_set.h"

namespace tessaly::picgen {

// Turns the set lists into pictures: tiles, backgrounds and the start picture.
class PictureMaker {
  public:
    explicit PictureMaker(std::vector<PictureSet> sets);

    // Every problem that would spoil a picture (a missing font, an emoji the font cannot draw),
    // one per line; empty when all can be drawn.
    QString Check() const;

    const std::vector<PictureSet>& Sets() const { return sets_; }

    // Tile `kind` (1..45) of set `set` (1..25), size x size pixels.
    QImage Tile(int set, int kind, int size = 50) const;
    // The picture on that tile, transparent around it, as large as it is drawn on the tile.
    QImage Art(int set, int kind, int size = 50) const;
    QImage Background(int number) const;
    QImage StartPicture() const;

  private:
    std::vector<PictureSet> sets_;
    EmojiArt emoji_;
};

}  // namespace tessaly::picgen

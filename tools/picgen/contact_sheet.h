#pragma once

#include <QImage>
#include <QString>

#include "picture_maker.h"

namespace tessaly::picgen {

// A tile as the game marks it: 140/255 of the tile over 115/255 of the empty cell beneath.
QImage MarkedTile(const QImage& tile, const QImage& background);

// One review sheet for set `set`: its 45 tiles laid out as a board on a dark and on a light
// background, and its first tile marked on every background.
QImage SetContactSheet(const PictureMaker& maker, int set);

// The 15 backgrounds, each with a tile and a marked tile on it, and the start picture.
QImage BackgroundContactSheet(const PictureMaker& maker);

// The first ten tiles of every set, small, side by side: a picture of the sets for the README.
QImage OverviewSheet(const PictureMaker& maker);
// Writes the overview as a PNG to `path`. Returns an error text.
QString WriteOverview(const PictureMaker& maker, const QString& path);

// Writes, for every set, its 45 tiles at play size in a numbered 9 x 5 grid as each colour
// vision sees them (set<N>-<vision>.png), and index.txt naming every tile by its number: what
// a reviewer needs to list the pairs a player could confuse. Returns an error text.
QString WriteReviewSheets(const PictureMaker& maker, const QString& dir);

// Writes set<N>.png for every set and backgrounds.png into `dir`. Returns an error text.
QString WriteContactSheets(const PictureMaker& maker, const QString& dir);

}  // namespace tessaly::picgen

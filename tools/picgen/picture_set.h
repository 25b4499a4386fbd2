#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

#include "game/resource_layout.h"

namespace tessaly::picgen {

enum class ArtKind { Emoji, Gem };

enum class GemShape {
    Circle,
    Square,
    Triangle,
    Diamond,
    Ring,
    Star,
    Heart,
    Cross,
    Crescent,
    Hexagon,
    Drop,
    Bolt,
    Clover,
    Arrow,
    Sparkle,
    Dome,
    Oval,
    Shield,
    Flower,
    Hourglass,
    Pentagon,
    Semicircle,
    Trapezoid,
    Chevron,
    Octagon,
    Kite,
    Leaf,
    Arch,
    Frame,
    Parallelogram,
    Crown,
    Stairs,
    Fan,
};

// What is cut into a gem's face. Colour alone never tells two gems apart for every player, so
// gems of one shape differ in pattern, and the pattern changes their light and dark.
enum class GemPattern { Plain, Stripes, Dots, Half, Spot };

// What one tile shows: an emoji sequence from the colour emoji font, or a gem we draw ourselves.
struct TileArt {
    ArtKind kind = ArtKind::Emoji;
    QString text;  // the emoji sequence, for ArtKind::Emoji
    GemShape shape = GemShape::Circle;
    GemPattern pattern = GemPattern::Plain;
    QColor colour;  // the gem's colour, for ArtKind::Gem
    QString name;   // for people reading the lists and the errors
    int line = 0;   // where the tile was listed
};

struct PictureSet {
    QString title;
    QColor accent;  // the colour of the tile's sides: each set looks like its own
    std::vector<TileArt> tiles;
};

struct PictureSetList {
    std::vector<PictureSet> sets;
    QString error;  // empty when the list is complete and well formed
};

// Reads the set lists (format described at the top of sets.txt). A list is accepted only with
// exactly PictureSetCount sets of TilesPerSet distinct tiles each, so a short list cannot ship.
PictureSetList ParsePictureSets(QStringView text);
// One tile's words after its keyword ("emoji" or "gem"), as in the lists; the error, or empty.
QString ParseTileWords(const QString& keyword, const QStringList& words, TileArt& tile);
PictureSetList LoadPictureSets(const QString& path);

}  // namespace tessaly::picgen

#pragma once

#include <QColor>
#include <QImage>

#include "engine/board_types.h"

namespace tessaly::picgen {

// The square a tile's picture is fitted into, at a cell size of 50.
constexpr int kArtBox = 37;

// A tile of size x size pixels (50 in the game): a dark frame, sides in the set's accent
// colour and a light bevelled face carrying `art` (kArtBox scaled to the size, transparent
// around the picture). The light face reads on dark and bright backgrounds alike, and the dark
// frame keeps neighbouring tiles apart.
QImage PaintTile(const QImage& art, const QColor& accent, int size = CellSize);

}  // namespace tessaly::picgen

#pragma once

#include <QColor>
#include <QImage>

#include "game/resource_layout.h"

namespace tessaly::picgen {

// Colour `number` (1..15) of the game's background colour table.
QColor BackgroundColour(int number);

// The 50 x 50 empty-cell picture of background `number`: its colour with a quiet texture that
// repeats seamlessly from cell to cell, and a faint line along the top and left edges that
// makes a grid when cells lie side by side.
QImage PaintBackground(int number);

}  // namespace tessaly::picgen

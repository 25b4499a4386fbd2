#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace tessaly::picgen {

// Drawn at a size between the smallest and the largest board area, whose shapes it is
// stretched to without keeping proportions.
constexpr int kStartWidth = 720;
constexpr int kStartHeight = 480;

// Empty when the Simplified Chinese font of the start picture is installed.
QString StartFontError();

// The start picture: the game's name over a fan of `tiles` (square, any size) and the hint
// that F1 to F4 start a game.
QImage PaintStartPicture(const std::vector<QImage>& tiles);

}  // namespace tessaly::picgen

#pragma once

#include <QColor>
#include <QImage>

namespace tessaly::picgen {

// The ivory of the tile face where a picture sits (tile_face.cpp draws it).
inline const QColor kFaceColour(0xf7, 0xf1, 0xe4);

// A picture whose main colour stands under this contrast against the face gets a dark outline.
constexpr double kMinGlyphContrast = 2.0;

// Pictures are sized by their ink, the share of their box they cover: drawn as large as the box
// allows, but no more ink than this. A full square would read as a sticker, a thin tool as a
// speck; at this share a set's tiles vary by no more than 2x unless a picture is very thin.
constexpr double kInkShare = 0.38;

// The share of the picture's square that its opaque pixels cover (alpha-weighted).
double InkShare(const QImage& art);

// A picture that covers this much of a nearly square bounding box is a framed scene or a sign:
// it reads as a sticker on the tile, not as a thing. Such pictures are refused. Doors, batteries
// and other oblong things fill their box too, but are not square.
constexpr double kStickerFill = 0.9;
constexpr double kStickerSquareness = 0.85;
// The share of the picture's bounding box (where alpha shows) that its ink covers.
double BoxFill(const QImage& art);
bool ReadsAsSticker(const QImage& art);

// The alpha-weighted mean colour of the picture.
QColor MainColour(const QImage& art);

// WCAG contrast ratio of two colours: 1 for the same lightness, 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);

// The contrast of the picture's main colour against the face.
double FaceContrast(const QImage& art);

}  // namespace tessaly::picgen

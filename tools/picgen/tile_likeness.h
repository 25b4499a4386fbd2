#pragma once

#include <QImage>
#include <array>
#include <vector>

namespace tessaly::picgen {

// Full colour vision and the three kinds of dichromacy, which together affect about one man
// in twelve.
enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr int kVisionCount = 4;
const char* visionName(Vision vision);

// What a tile looks like at a glance, worked out once per tile: its face softened to the detail
// a player takes in without studying it, in CIELAB as each vision sees it.
struct TileLook {
    std::array<std::vector<float>, kVisionCount> lab;  // L, a, b of each pixel
    std::vector<float> lightness;                      // L alone: what every eye agrees on
    std::vector<char> drawn;                           // where the picture covers the face
};

TileLook lookOf(const QImage& tile);

// How two tiles compare. `colour` is the mean colour difference (CIE76 delta E) over the pixels
// either picture covers, in the vision that sees the two closest (`vision`). `structure` is the
// structural similarity (SSIM; 1 is the same drawing) of their lightness alone, which catches
// recoloured drawings and one drawing arranged twice.
struct Likeness {
    double colour = 0;
    Vision vision = Vision::Normal;
    double structure = 0;
};
Likeness compare(const TileLook& a, const TileLook& b);

// A pair looks alike when it shares most of its drawing, or when it shares some of it and its
// colours do not tell it apart: the more the colours differ, the more of the drawing may be
// shared. Gauged on pairs players could not tell apart at a glance (the tests hold a table of
// them) and on the shipped sets.
constexpr double kMostSharedStructure = 0.8;
constexpr double kSharedStructureWithoutColour = 0.25;
constexpr double kSharedStructurePerDeltaE = 0.022;
bool looksAlike(const Likeness& likeness);

}  // namespace tessaly::picgen

#pragma once

#include <QImage>
#include <array>
#include <vector>

namespace tessaly::picgen {

// Full colour vision and the three kinds of dichromacy, which together affect about one man
// in twelve.
enum class Vision { Normal, Protanopia, Deuteranopia, Tritanopia };
constexpr int kVisionCount = 4;
const char* VisionName(Vision vision);
// The image as a viewer with that vision sees it (Machado, Oliveira and Fernandes 2009).
QImage SimulateVision(const QImage& image, Vision vision);

// What a tile looks like at a glance, worked out once per tile: its face softened to the detail
// a player takes in without studying it, in CIELAB as each vision sees it.
struct TileLook {
    std::array<std::vector<float>, kVisionCount> lab;  // L, a, b of each pixel
    std::vector<float> lightness;                      // L alone: what every eye agrees on
    std::vector<char> drawn;                           // where the picture covers the face
    std::vector<float> silhouette;                     // the picture's softened alpha, 0 to 1
};

// `art` is the picture as drawn on the tile (PictureMaker::art), whose alpha gives the
// silhouette; without it the silhouette is where the tile differs from a blank face.
TileLook LookOf(const QImage& tile, const QImage& art = QImage());

// How two tiles compare. `colour` is the mean colour difference (CIE76 delta E) over the pixels
// either picture covers, in the vision that sees the two closest (`vision`). `structure` is the
// structural similarity (SSIM; 1 is the same drawing) of their lightness alone, which catches
// recoloured drawings and one drawing arranged twice.
struct Likeness {
    double colour = 0;
    Vision vision = Vision::Normal;
    double structure = 0;
    double silhouette = 0;  // overlap of the two silhouettes: 1 for one outline
    // Mean colour difference of the two faces seen as a coarse grid of patches, in the vision
    // and the facing that see them closest: what a glance across the board takes in, where
    // `colour` needs the pictures to line up pixel for pixel.
    double glance = 0;
};
Likeness Compare(const TileLook& a, const TileLook& b);

// A pair looks alike when it shares most of its drawing, or when it shares some of it and its
// colours do not tell it apart: the more the colours differ, the more of the drawing may be
// shared. Or when the two outlines are nearly one and the colours inside them do not tell them
// apart either: two animals in one pose, two round balls. Gauged on pairs players could not
// tell apart at a glance (the tests hold a table of them) and on the shipped sets.
constexpr double kMostSharedStructure = 0.8;
constexpr double kSharedStructureWithoutColour = 0.25;
constexpr double kSharedStructurePerDeltaE = 0.022;
constexpr double kSharedSilhouetteWithoutColour = 0.3;
constexpr double kSharedSilhouettePerDeltaE = 0.027;
constexpr double kSilhouetteWithSomeStructure = 0.55;
bool LooksAlikeInDrawing(const Likeness& likeness);
bool LooksAlikeInSilhouette(const Likeness& likeness);
bool LooksAlike(const Likeness& likeness);

}  // namespace tessaly::picgen

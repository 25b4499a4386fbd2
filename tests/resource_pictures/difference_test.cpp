// A player must tell tiles apart at a glance, and tiles from the empty cells around them.
#include <gtest/gtest.h>

#include <vector>

#include "contact_sheet.h"
#include "picture_files.h"
#include "picture_set.h"

namespace tessaly::picgen::testing {
namespace {

// Two tiles share frame, bevel and face; only the pictures (a 37 x 37 square, 1,369 pixels)
// differ. Requiring 8 % of the tile (200 pixels, a 14 x 14 patch, about a seventh of the
// picture) to change colour rules out pairs that differ only in a detail. Pairs a player has
// to study scored 1 % to 7 %: two camels, two snowmen, a gold medal and a sports medal, a
// glass of milk and a pouring glass, a gem circle and hexagon, the flags of Ghana and Bolivia.
constexpr double kMinTileDifference = 0.08;
// Frame and face alone cover three quarters of a tile; with a grey picture on the silver
// background at least half the tile must still stand apart, or the tile melts into the board.
constexpr double kMinTileOnBackground = 0.5;
// A marked tile is meant to look faded (140/255 of the tile over the cell), so smaller steps
// count; it must still read as a tile and not as an empty cell.
constexpr int kMarkedStep = 20;
constexpr double kMinMarkedOnBackground = 0.5;

std::vector<QImage> loadAll(const QStringList& relatives) {
    std::vector<QImage> images;
    for (const QString& relative : relatives) images.push_back(readBmp(resourcePath(relative)));
    return images;
}

TEST(TileDifference, EveryPairOfTilesInASetDiffersClearly) {
    const QStringList paths = tilePaths();
    for (int set = 0; set < kSetCount; ++set) {
        const std::vector<QImage> tiles = loadAll(paths.mid(set * kTilesPerSet, kTilesPerSet));
        double least = 1.0;
        int first = 0, second = 0;
        for (int a = 0; a < kTilesPerSet; ++a) {
            for (int b = a + 1; b < kTilesPerSet; ++b) {
                const double share = clearlyDifferentShare(tiles[a], tiles[b]);
                if (share < least) least = share, first = a + 1, second = b + 1;
            }
        }
        EXPECT_GE(least, kMinTileDifference)
            << "pic" << set + 1 << ": tiles " << first << " and " << second << " look alike";
    }
}

TEST(TileDifference, EveryTileStandsOutOnEveryBackgroundAlsoWhenMarked) {
    const QStringList paths = tilePaths();
    const std::vector<QImage> tiles = loadAll(paths);
    const std::vector<QImage> backgrounds = loadAll(backgroundPaths());
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        for (std::size_t b = 0; b < backgrounds.size(); ++b) {
            const QString where = paths[int(t)] + QStringLiteral(" on background %1").arg(b + 1);
            EXPECT_GE(clearlyDifferentShare(tiles[t], backgrounds[b]), kMinTileOnBackground)
                << qPrintable(where);
            EXPECT_GE(clearlyDifferentShare(markedTile(tiles[t], backgrounds[b]), backgrounds[b],
                                            kMarkedStep),
                      kMinMarkedOnBackground)
                << qPrintable(where) << " (marked)";
        }
    }
}

}  // namespace
}  // namespace tessaly::picgen::testing

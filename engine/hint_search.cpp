// The hint search: the first linkable pair in a fixed scan order, so that a board always
// gives the same hint and the same automatic move.
#include "engine/engine.h"

namespace tessaly {

bool Engine::FindLinkablePair(TCell& P, TCell& Q) {
    if (!BoardMatchesDimensions()) return false;
    const int32_t lastCol = ColCount - 2;
    const int32_t lastRow = RowCount - 2;
    // Both loops run column by column, each column top to bottom; the partner may come before
    // the tile in that order, so every pair is tried both ways round.
    for (int32_t i = 1; i <= lastCol; ++i) {
        for (int32_t j = 1; j <= lastRow; ++j) {
            const int32_t value = Board[static_cast<size_t>(i)][static_cast<size_t>(j)];
            if (value == 0) continue;
            for (int32_t k = 1; k <= lastCol; ++k) {
                const auto& column = Board[static_cast<size_t>(k)];
                for (int32_t l = 1; l <= lastRow; ++l) {
                    if (column[static_cast<size_t>(l)] != value) continue;
                    if (k == i && l == j) continue;
                    if (LinkTiles(TCell{i, j}, TCell{k, l})) {
                        P = TCell{i, j};
                        Q = TCell{k, l};
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

}  // namespace tessaly

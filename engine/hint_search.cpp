// The hint search: the first linkable pair in a fixed scan order, so that a board always
// gives the same hint and the same automatic move.
#include "engine/engine.h"

namespace tessaly {

// A tile with no empty neighbour casts no ray: it links only with a neighbour of its kind.
bool Engine::Enclosed(TCell c) const {
    const TCell around[4] = {{c.X, c.Y - 1}, {c.X + 1, c.Y}, {c.X, c.Y + 1}, {c.X - 1, c.Y}};
    for (const TCell n : around) {
        if (InBoard(n) && CellIsEmpty(n)) return false;
    }
    return true;
}

// Tries tile a against one candidate partner b of the same kind, in scan order.
bool Engine::TryPartner(TCell a, bool aEnclosed, TCell b, bool bEnclosed, TCell& P, TCell& Q) {
    // Pairs that cannot link are passed over without running the link test; this keeps the
    // search on a crowded board fast and changes none of its answers.
    if ((aEnclosed || bEnclosed) && !IsNeighbour(a, b)) return false;
    if (!LinkTiles(a, b)) return false;
    P = a;
    Q = b;
    return true;
}

bool Engine::FindLinkablePair(TCell& P, TCell& Q) {
    if (!BoardMatchesDimensions()) return false;
    const int32_t lastCol = colCount_ - 2;
    const int32_t lastRow = rowCount_ - 2;

    // The tiles in scan order: column by column, each column top to bottom.
    size_t count = 0;
    bool fits = true;
    for (int32_t i = 1; i <= lastCol && fits; ++i) {
        for (int32_t j = 1; j <= lastRow; ++j) {
            const int32_t value = At(TCell{i, j});
            if (value == 0) continue;
            if (count == scanTiles_.size() || value < 1 || value >= MaxScanKinds) {
                fits = false;
                break;
            }
            scanTiles_[count++] = ScanTile{TCell{i, j}, value};
        }
    }
    bool tested = false;
    if (fits) {
        // Chain each tile to the next of its kind in scan order, so that the partners of a
        // tile are found without scanning the whole board once per tile.
        for (size_t t = count; t-- > 0;) {
            int16_t& head = kindHead_[static_cast<size_t>(scanTiles_[t].Value)];
            scanTiles_[t].Next = head;
            head = static_cast<int16_t>(t);
        }
        for (size_t t = 0; t < count; ++t) {
            scanTiles_[t].First = kindHead_[static_cast<size_t>(scanTiles_[t].Value)];
        }
        for (size_t t = 0; t < count; ++t) kindHead_[static_cast<size_t>(scanTiles_[t].Value)] = -1;

        // Whether a tile is enclosed is worked out once, when first needed.
        auto enclosed = [this](ScanTile& tile) {
            if (tile.Enclosed < 0) tile.Enclosed = Enclosed(tile.Cell) ? 1 : 0;
            return tile.Enclosed == 1;
        };
        for (size_t t = 0; t < count; ++t) {
            ScanTile& a = scanTiles_[t];
            for (int16_t s = a.First; s >= 0; s = scanTiles_[static_cast<size_t>(s)].Next) {
                if (static_cast<size_t>(s) == t) continue;
                tested = true;
                ScanTile& b = scanTiles_[static_cast<size_t>(s)];
                if (TryPartner(a.Cell, enclosed(a), b.Cell, enclosed(b), P, Q)) return true;
            }
        }
    } else {
        // A board beyond the fixed lists: the plain scan, in the same order.
        for (int32_t i = 1; i <= lastCol; ++i) {
            for (int32_t j = 1; j <= lastRow; ++j) {
                const TCell a{i, j};
                const int32_t value = At(a);
                if (value == 0) continue;
                const bool aEnclosed = Enclosed(a);
                for (int32_t k = 1; k <= lastCol; ++k) {
                    for (int32_t l = 1; l <= lastRow; ++l) {
                        const TCell b{k, l};
                        if (At(b) != value || SameCell(a, b)) continue;
                        tested = true;
                        if (TryPartner(a, aEnclosed, b, Enclosed(b), P, Q)) return true;
                    }
                }
            }
        }
    }
    // As if every pair had been tested: a failed test leaves no shape flag set.
    if (tested) ClearShapeFlags();
    return false;
}

}  // namespace tessaly

// The hint search: the first linkable pair in a fixed scan order, so that a board always
// gives the same hint and the same automatic move.
#include <algorithm>

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
bool Engine::TryPartner(TCell a, bool aEnclosed, TCell b, TCell& P, TCell& Q) {
    // Pairs that cannot link are passed over without running the link test; this keeps the
    // search on a crowded board fast and changes none of its answers.
    if ((aEnclosed || Enclosed(b)) && !IsNeighbour(a, b)) return false;
    if (!LinkTiles(a, b)) return false;
    P = a;
    Q = b;
    return true;
}

bool Engine::FindLinkablePair(TCell& P, TCell& Q) {
    if (!BoardMatchesDimensions()) return false;
    const int32_t lastCol = ColCount - 2;
    const int32_t lastRow = RowCount - 2;

    // The tiles in scan order: column by column, each column top to bottom.
    size_t count = 0;
    bool fits = true;
    for (int32_t i = 1; i <= lastCol && fits; ++i) {
        for (int32_t j = 1; j <= lastRow; ++j) {
            const int32_t value = At(TCell{i, j});
            if (value == 0) continue;
            if (count == scanTiles_.size()) {
                fits = false;
                break;
            }
            scanTiles_[count] = ScanTile{value, static_cast<int32_t>(count), TCell{i, j}};
            ++count;
        }
    }
    bool tested = false;
    if (fits) {
        // The same tiles grouped by kind, each group still in scan order: the partners of a
        // tile are its group, so a crowded board is not scanned once per tile.
        std::copy_n(scanTiles_.begin(), count, byKind_.begin());
        std::sort(byKind_.begin(), byKind_.begin() + static_cast<std::ptrdiff_t>(count),
                  [](const ScanTile& x, const ScanTile& y) {
                      return x.Value != y.Value ? x.Value < y.Value : x.Order < y.Order;
                  });
        for (size_t s = 0; s < count; ++s) {
            scanTiles_[static_cast<size_t>(byKind_[s].Order)].Order = static_cast<int32_t>(s);
        }
        for (size_t t = 0; t < count; ++t) {
            const ScanTile& a = scanTiles_[t];
            size_t first = static_cast<size_t>(a.Order);
            while (first > 0 && byKind_[first - 1].Value == a.Value) --first;
            const bool aEnclosed = Enclosed(a.Cell);
            for (size_t s = first; s < count && byKind_[s].Value == a.Value; ++s) {
                if (SameCell(byKind_[s].Cell, a.Cell)) continue;
                tested = true;
                if (TryPartner(a.Cell, aEnclosed, byKind_[s].Cell, P, Q)) return true;
            }
        }
    } else {
        // A board too large for the fixed lists: the plain scan, same order.
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
                        if (TryPartner(a, aEnclosed, b, P, Q)) return true;
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

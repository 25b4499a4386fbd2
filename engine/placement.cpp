// A move made by hand for a board that chance does not give one.
#include "engine/engine.h"

namespace tessaly {

// Any two tiles can be joined through the empty ring when nothing else lies between them, and
// the first tile in scan order always has such a partner; giving that partner the first
// tile's kind (by swapping it with the first tile's twin) creates a move without changing
// which cells are occupied or how often each kind occurs.
bool Engine::PlaceLinkablePair(TCell& P, TCell& Q) {
    if (!BoardMatchesDimensions()) return false;
    const int32_t lastCol = colCount_ - 2;
    const int32_t lastRow = rowCount_ - 2;
    for (int32_t pc = 1; pc <= lastCol; ++pc) {
        for (int32_t pr = 1; pr <= lastRow; ++pr) {
            const TCell p{pc, pr};
            if (At(p) == 0) continue;
            TCell twin{};
            for (int32_t c = 1; c <= lastCol && twin.X == 0; ++c)
                for (int32_t r = 1; r <= lastRow && twin.X == 0; ++r)
                    if (TCell{c, r} != p && At({c, r}) == At(p)) twin = {c, r};
            if (twin.X == 0) continue;
            for (int32_t c = 1; c <= lastCol; ++c) {
                for (int32_t r = 1; r <= lastRow; ++r) {
                    const TCell q{c, r};
                    if (q == p || At(q) == 0) continue;
                    SwapCells(q, twin);
                    if (CanLink(p, q)) return FindLinkablePair(P, Q);
                    SwapCells(q, twin);
                }
            }
        }
    }
    return false;
}

}  // namespace tessaly

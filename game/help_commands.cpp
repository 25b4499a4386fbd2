// The hint and the rearrangement, and the loop that makes sure a board has a move.
#include "game/resource_layout.h"
#include "game/session.h"

namespace tessaly {

namespace {

bool Known(const TCell (&pair)[2]) {
    return pair[0].X != 0 && pair[0].Y != 0 && pair[1].X != 0 && pair[1].Y != 0;
}

}  // namespace

void Session::MenuOptionGetHintClick() {
    if (!Playing || Hints <= 0) return;
    --Hints;
    window_.MainPaintBoxPaint();
    if (Known(HintPair)) {
        window_.DrawMarkedCell(HintPair[0].X, HintPair[0].Y);
        window_.DrawMarkedCell(HintPair[1].X, HintPair[1].Y);
    } else {
        window_.MessageBox("需要对剩下的卡片进行重排！", "信息", MessageButtons::Ok,
                           MessageIcon::None);
    }
}

void Session::MenuOptionRearrangeClick() {
    if (!Playing || Lives <= 0) return;
    --Lives;
    window_.MainPaintBoxPaint();
    Cue(cue::Rearrange);
    RearrangeUntilLinkable();
    window_.MainPaintBoxPaint();
}

void Session::RearrangeUntilLinkable() {
    // Rearranging draws until it hits a tile, so an empty board would never come back.
    if (IsBoardCleared()) return;
    // Each rearrangement re-seeds from the clock; a clock that does not move between tries
    // repeats the same mix, so chance alone is given a fixed number of tries.
    for (int32_t tries = 0; tries < RearrangeTryLimit; ++tries) {
        engine_.RearrangeBoard();
        if (engine_.FindLinkablePair(HintPair[0], HintPair[1])) return;
    }
    PlaceLinkablePair();
}

// Any two tiles can be joined through the empty ring when nothing else lies between them, and
// the first tile in scan order always has such a partner; giving that partner the first
// tile's kind (by swapping it with the first tile's twin) creates a move without changing
// which cells are occupied or how often each kind occurs.
bool Session::PlaceLinkablePair() {
    TMyArray& board = engine_.Board;
    const int32_t lastCol = engine_.ColCount - 2;
    const int32_t lastRow = engine_.RowCount - 2;
    auto value = [&](TCell c) { return board[static_cast<size_t>(c.X)][static_cast<size_t>(c.Y)]; };
    for (int32_t pc = 1; pc <= lastCol; ++pc) {
        for (int32_t pr = 1; pr <= lastRow; ++pr) {
            const TCell p{pc, pr};
            if (value(p) == 0) continue;
            TCell twin{};
            for (int32_t c = 1; c <= lastCol && twin.X == 0; ++c)
                for (int32_t r = 1; r <= lastRow && twin.X == 0; ++r)
                    if (TCell{c, r} != p && value({c, r}) == value(p)) twin = {c, r};
            if (twin.X == 0) continue;
            for (int32_t c = 1; c <= lastCol; ++c) {
                for (int32_t r = 1; r <= lastRow; ++r) {
                    const TCell q{c, r};
                    if (q == p || value(q) == 0) continue;
                    engine_.SwapCells(q, twin);
                    if (engine_.CanLink(p, q))
                        return engine_.FindLinkablePair(HintPair[0], HintPair[1]);
                    engine_.SwapCells(q, twin);
                }
            }
        }
    }
    return false;
}

}  // namespace tessaly

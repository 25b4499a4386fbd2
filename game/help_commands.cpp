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
    if (engine_.IsBoardCleared()) return;
    // Each rearrangement re-seeds from the clock; a clock that does not move between tries
    // repeats the same mix, so chance alone is given a fixed number of tries.
    for (int32_t tries = 0; tries < RearrangeTryLimit; ++tries) {
        engine_.RearrangeBoard();
        if (engine_.FindLinkablePair(HintPair[0], HintPair[1])) return;
    }
    engine_.PlaceLinkablePair(HintPair[0], HintPair[1]);
}

}  // namespace tessaly

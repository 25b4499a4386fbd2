// The hint and the rearrangement, and the loop that makes sure a board has a move.
#include "game/help_commands.h"

#include "game/resource_layout.h"

namespace tessaly {

namespace {

bool Known(const TCell (&pair)[2]) {
    return pair[0].X != 0 && pair[0].Y != 0 && pair[1].X != 0 && pair[1].Y != 0;
}

}  // namespace

void Help::MenuOptionGetHintClick() {
    if (!view_.Playing || view_.Hints <= 0) return;
    --view_.Hints;
    window_.MainPaintBoxPaint();
    if (Known(view_.HintPair)) {
        window_.DrawMarkedCell(view_.HintPair[0].X, view_.HintPair[0].Y);
        window_.DrawMarkedCell(view_.HintPair[1].X, view_.HintPair[1].Y);
    } else {
        window_.MessageBox("需要对剩下的卡片进行重排！", "信息", MessageButtons::Ok,
                           MessageIcon::None);
    }
}

void Help::MenuOptionRearrangeClick() {
    if (!view_.Playing || view_.Lives <= 0) return;
    --view_.Lives;
    window_.MainPaintBoxPaint();
    Cue(cue::Rearrange);
    RearrangeUntilLinkable();
    window_.MainPaintBoxPaint();
}

void Help::RearrangeUntilLinkable() {
    // Rearranging draws until it hits a tile, so an empty board would never come back.
    if (engine_.IsBoardCleared()) return;
    // Each rearrangement re-seeds from the clock; a clock that does not move between tries
    // repeats the same mix, so chance alone is given a fixed number of tries.
    for (int32_t tries = 0; tries < tryLimit_; ++tries) {
        engine_.RearrangeBoard();
        if (engine_.FindLinkablePair(view_.HintPair[0], view_.HintPair[1])) return;
    }
    engine_.PlaceLinkablePair(view_.HintPair[0], view_.HintPair[1]);
}

}  // namespace tessaly

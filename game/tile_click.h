// A click on the board: selecting a tile, removing a pair, and what a removal leads to.
#pragma once

#include <cstdint>

#include "game/flow.h"
#include "game/game_part.h"
#include "game/help_commands.h"

namespace tessaly {

class TileClick : GamePart {
  public:
    TileClick(Engine& engine, GameWindow& window, GameView& view, Flow& flow, Help& help)
        : GamePart(engine, window, view), flow_(flow), help_(help) {}

    // x and y are pixels of the board surface; every mouse button acts alike.
    void MainPaintBoxMouseDown(int32_t x, int32_t y);

  private:
    void ClearCell(TCell cell);
    void AnimateLink();
    void RejectPair(TCell clicked, TCell pending);
    void AfterRemoval();

    Flow& flow_;
    Help& help_;
};

}  // namespace tessaly

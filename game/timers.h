// The countdown, automatic play, and pausing by minimising.
#pragma once

#include "game/flow.h"
#include "game/game_part.h"
#include "game/tile_click.h"

namespace tessaly {

class Timers : GamePart {
  public:
    Timers(Engine& engine, GameWindow& window, GameView& view, Flow& flow, TileClick& tileClick)
        : GamePart(engine, window, view), flow_(flow), tileClick_(tileClick) {}

    void TimerGameDelayTimer();
    void TimerAutoPlayTimer();
    void MenuAutoPlayClick();
    void MenuGamePauseClick();
    void ApplicationEvents1Minimize();
    void ApplicationEvents1Restore();

  private:
    void SetAutoPlayRunning(bool on);

    Flow& flow_;
    TileClick& tileClick_;
};

}  // namespace tessaly

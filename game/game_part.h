// What every part of a game works on: the engine, the window it tells what changed, and the
// state the window draws from. Each part holds the handlers of one job.
#pragma once

#include "engine/engine.h"
#include "game/game_view.h"
#include "game/game_window.h"

namespace tessaly {

class GamePart {
  public:
    GamePart(Engine& engine, GameWindow& window, GameView& view)
        : engine_(engine), window_(window), view_(view) {}

  protected:
    // Cues sound only while the sound switch is on.
    void Cue(const char* name) {
        if (view_.SoundOn) window_.PlayCue(name);
    }

    Engine& engine_;
    GameWindow& window_;
    GameView& view_;
};

}  // namespace tessaly

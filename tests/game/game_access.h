// Reaches into a game for tests and fuzzing: its engine, its state and its handlers by job.
#pragma once

#include "game/game.h"
#include "tests/engine/engine_access.h"

namespace tessaly {

struct GameTestAccess {
    static Engine& EngineOf(Game& game) { return game.engine_; }
    static GameView& StateOf(Game& game) { return game.view_; }
    template <class Part>
    static Part& PartOf(Game& game) {
        return game.handlers_.Get<Part>();
    }
};

}  // namespace tessaly

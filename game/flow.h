// The course of a game: new games at each grade, new levels, the end of a game, abandoning it,
// and the two states of the menus that go with playing and not playing.
#pragma once

#include <cstdint>

#include "game/game_part.h"
#include "game/help_commands.h"

namespace tessaly {

class Flow : GamePart {
  public:
    Flow(Engine& engine, GameWindow& window, GameView& view, Help& help)
        : GamePart(engine, window, view), help_(help) {}

    // Start-up work of the main window's creation handler that belongs to the game.
    void FormCreate();

    // Transitions.
    void NewGame();
    void StartLevel();
    void EndGame();

    void SetPlayMenuState();
    void SetIdleMenuState();

    // Difficulty commands (menu items and F1..F4).
    void MenuGameLowClick();
    void MenuGameMediumClick();
    void MenuGameHighClick();
    void MenuGameSpecialClick();
    void MenuGameAbandonClick();

  private:
    void DifficultyClick(uint8_t grade);
    void SetUpBoard();

    Help& help_;
};

}  // namespace tessaly

// The one game the program runs at a time: its fields and the handlers that change them.
#pragma once

#include <cstdint>

#include "engine/engine.h"
#include "game/game_window.h"

namespace tessaly {

class Session {
public:
    Session(Engine& engine, GameWindow& window);

    // Session fields and their values at program start.
    uint8_t Difficulty = 0;
    uint8_t Level = 0;
    bool Playing = false;
    int32_t Lives = 2;
    int32_t Hints = 4;
    int32_t TimeLeft = 100;
    TCell HintPair[2] = {};

    Engine& engine() { return engine_; }
    const Engine& engine() const { return engine_; }

    // Transitions.
    void NewGame();
    void StartLevel();
    void EndGame();

    // Start-up work of the main window's creation handler that belongs to the game.
    void FormCreate();

    // Difficulty commands (menu items and F1..F4).
    void MenuGameLowClick();
    void MenuGameMediumClick();
    void MenuGameHighClick();
    void MenuGameSpecialClick();

    // Keys: the window previews every key and hands over its virtual-key code
    // (F1 = 0x70 ... F8 = 0x77, Esc = 0x1B); modifiers are not looked at.
    void FormKeyDown(int32_t virtualKey);

private:
    Engine& engine_;
    GameWindow& window_;
};

}  // namespace tessaly

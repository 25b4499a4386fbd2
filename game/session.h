// The one game the program runs at a time: its fields and the handlers that change them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "game/game_window.h"
#include "game/key_codes.h"
#include "game/music_device.h"
#include "game/presentation_settings.h"

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

    // Picture set and background; the window reads them when it draws.
    PresentationSettings Presentation;

    // The player's switches and marks, from the menu table's starting states. The session owns
    // them and tells the window what to show; the sound switch holds while its item is disabled.
    bool SoundOn;
    bool MusicOn;
    bool AutoPlayMarked;
    bool AutoPlayRunning = false;
    // The mark a toggle item should show; false for any other item.
    bool Marked(MenuItemId item) const;

    // Transitions.
    void NewGame();
    void StartLevel();
    void EndGame();

    // The two states of the menus.
    void SetPlayMenuState();
    void SetIdleMenuState();

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

    // Play on the board surface: x and y are its pixels; every mouse button acts alike.
    void MainPaintBoxMouseDown(int32_t x, int32_t y);
    void ClearCell(int32_t col, int32_t row);

    // Help at a price.
    void MenuOptionGetHintClick();
    void MenuOptionRearrangeClick();

    // Timers, pause, automatic play, abandoning.
    void TimerGameDelayTimer();
    void TimerAutoPlayTimer();
    void MenuAutoPlayClick();
    void MenuGamePauseClick();
    void ApplicationEvents1Minimize();
    void ApplicationEvents1Restore();
    void MenuGameAbandonClick();

    // Shift modes: each sets the level and moves the tiles at once.
    void ShiftModeClick(uint8_t mode);
    void MenuNoChangeClick() { ShiftModeClick(0); }
    void MenuToDownClick() { ShiftModeClick(1); }
    void MenuToLeftClick() { ShiftModeClick(2); }
    void MenuUpDownSeperateClick() { ShiftModeClick(3); }
    void MenuLeftRightSeperateClick() { ShiftModeClick(4); }
    void MenuUpDownCollectClick() { ShiftModeClick(5); }
    void MenuLeftRightCollectClick() { ShiftModeClick(6); }
    void MenuLeftUpRightDownClick() { ShiftModeClick(7); }
    void MenuLeftDownRightUpClick() { ShiftModeClick(8); }
    void MenuUpDownLeftRightSeperateClick() { ShiftModeClick(9); }
    void MenuUpDownLeftRightCollectClick() { ShiftModeClick(10); }

    // Other commands.
    void MenuTopClick();
    void MenuGameExitClick();
    void MenuOptionSoundClick();
    void MenuOptionBitmapClick();
    void MenuOptionBackGroundClick();
    void MenuGameAboutClick();

    // Background music: the switch, the once-a-second watch that starts the next piece, and
    // the choice of a piece.
    void MenuOptionMusicClick();
    void TimerGuardTimer();
    std::string RandomMusicFile();
    // The player the music goes through; the session does not own it. Without one, switching
    // the music on reports that there is no player.
    void SetMusicDevice(MusicDevice* device);

    // Rearrangements in a row before the game stops relying on chance and places a linkable
    // pair itself, so that no board can keep the player waiting for ever.
    int32_t RearrangeTryLimit = 100;

  private:
    void Cue(const char* name);
    void SetAutoPlayRunning(bool on);
    void SetUpBoard();
    void RearrangeUntilLinkable();
    void DifficultyClick(uint8_t grade);
    void AnimateLink();
    void RejectPair(TCell clicked, TCell pending);
    void AfterRemoval();
    void PlayRandomPiece();
    int32_t AskNumber(const std::string& prompt, int32_t current, int32_t upperBound, bool& ok);

    Engine& engine_;
    GameWindow& window_;
    MusicDevice* music_ = &NoMusicDevice();
};

}  // namespace tessaly

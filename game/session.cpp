// New games, new levels, the end of a game, the menu states and the keys.
#include "game/session.h"

#include "game/difficulty_table.h"
#include "game/menu_commands.h"

namespace tessaly {

Session::Session(Engine& engine, GameWindow& window)
    : SoundOn(EntryOf(MenuItemId::MenuOptionSound).checked),
      MusicOn(EntryOf(MenuItemId::MenuOptionMusic).checked),
      AutoPlayMarked(EntryOf(MenuItemId::MenuAutoPlay).checked),
      engine_(engine),
      window_(window) {}

void Session::NewGame() {
    TimeLeft = FullTime;
    const DifficultyRow& row = DifficultyTable.at(Difficulty);
    engine_.KindCount = row.KindCount;
    engine_.ColCount = row.ColCount;
    engine_.RowCount = row.RowCount;
    Lives = row.Lives;
    Hints = row.Hints;
    for (MenuItemId item : DifficultyItems) window_.SetMenuChecked(item, item == row.MenuItem);
    SetUpBoard();
    Level = 0;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, true);
    window_.MainPaintBoxPaint();
}

void Session::StartLevel() {
    TimeLeft = FullTime;
    SetUpBoard();
    window_.SetTimerEnabled(TimerId::TimerGameDelay, true);
    window_.MainPaintBoxPaint();
}

void Session::EndGame() {
    Playing = false;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.MainPaintBoxPaint();
}

// What a new game and a new level share: a fresh board with a move, uncovered and fitted.
void Session::SetUpBoard() {
    Playing = true;
    window_.DestroyStartScreen();
    SetPlayMenuState();
    engine_.GenerateBoard();
    engine_.InitStack();
    if (!engine_.FindLinkablePair(HintPair[0], HintPair[1])) RearrangeUntilLinkable();
    window_.FormResize();
}

void Session::SetPlayMenuState() {
    for (MenuItemId item : GameItems) window_.SetMenuEnabled(item, true);
    for (MenuItemId item : DifficultyItems) window_.SetMenuEnabled(item, false);
}

void Session::SetIdleMenuState() {
    for (MenuItemId item : GameItems) window_.SetMenuEnabled(item, false);
    for (MenuItemId item : DifficultyItems) window_.SetMenuEnabled(item, true);
}

void Session::FormCreate() {
    engine_.Reseed();
}

void Session::DifficultyClick(uint8_t grade) {
    Difficulty = grade;
    NewGame();
}

void Session::MenuGameLowClick() {
    DifficultyClick(0);
}
void Session::MenuGameMediumClick() {
    DifficultyClick(1);
}
void Session::MenuGameHighClick() {
    DifficultyClick(2);
}
void Session::MenuGameSpecialClick() {
    DifficultyClick(3);
}

void Session::FormKeyDown(int32_t virtualKey) {
    switch (virtualKey) {
        case vk::F1:
            MenuGameLowClick();
            break;
        case vk::F2:
            MenuGameMediumClick();
            break;
        case vk::F3:
            MenuGameHighClick();
            break;
        case vk::F4:
            MenuGameSpecialClick();
            break;
        case vk::F5:
            MenuOptionGetHintClick();
            break;
        case vk::F6:
            MenuOptionRearrangeClick();
            break;
        case vk::F7:
            MenuAutoPlayClick();
            break;
        case vk::F8:
            MenuGamePauseClick();
            break;
        case vk::Escape:
            MenuGameAbandonClick();
            break;
        default:
            break;
    }
}

}  // namespace tessaly

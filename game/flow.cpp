// New games, new levels, the end of a game and the menu states.
#include "game/flow.h"

#include "game/difficulty_table.h"
#include "game/menu_commands.h"

namespace tessaly {

void Flow::NewGame() {
    view_.TimeLeft = FullTime;
    const DifficultyRow& row = DifficultyTable.at(view_.Difficulty);
    engine_.SetDimensions(row.ColCount, row.RowCount, row.KindCount);
    view_.Lives = row.Lives;
    view_.Hints = row.Hints;
    for (MenuItemId item : DifficultyItems) window_.SetMenuChecked(item, item == row.MenuItem);
    SetUpBoard();
    view_.Level = 0;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, true);
    window_.MainPaintBoxPaint();
}

void Flow::StartLevel() {
    view_.TimeLeft = FullTime;
    SetUpBoard();
    window_.SetTimerEnabled(TimerId::TimerGameDelay, true);
    window_.MainPaintBoxPaint();
}

void Flow::EndGame() {
    view_.Playing = false;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.MainPaintBoxPaint();
}

// What a new game and a new level share: a fresh board with a move, uncovered and fitted.
void Flow::SetUpBoard() {
    view_.Playing = true;
    window_.DestroyStartScreen();
    SetPlayMenuState();
    engine_.GenerateBoard();
    engine_.InitStack();
    if (!engine_.FindLinkablePair(view_.HintPair[0], view_.HintPair[1]))
        help_.RearrangeUntilLinkable();
    window_.FormResize();
}

void Flow::SetPlayMenuState() {
    for (MenuItemId item : GameItems) window_.SetMenuEnabled(item, true);
    for (MenuItemId item : DifficultyItems) window_.SetMenuEnabled(item, false);
}

void Flow::SetIdleMenuState() {
    for (MenuItemId item : GameItems) window_.SetMenuEnabled(item, false);
    for (MenuItemId item : DifficultyItems) window_.SetMenuEnabled(item, true);
}

void Flow::FormCreate() {
    engine_.Reseed();
}

void Flow::DifficultyClick(uint8_t grade) {
    view_.Difficulty = grade;
    NewGame();
}

void Flow::MenuGameLowClick() {
    DifficultyClick(0);
}
void Flow::MenuGameMediumClick() {
    DifficultyClick(1);
}
void Flow::MenuGameHighClick() {
    DifficultyClick(2);
}
void Flow::MenuGameSpecialClick() {
    DifficultyClick(3);
}

void Flow::MenuGameAbandonClick() {
    view_.Playing = false;
    SetIdleMenuState();
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.MainPaintBoxPaint();
}

}  // namespace tessaly

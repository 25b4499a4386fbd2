// A click on the board: selecting a tile, removing a pair, and what a removal leads to.
#include <algorithm>

#include "game/difficulty_table.h"
#include "game/resource_layout.h"
#include "game/session.h"

namespace tessaly {

namespace {

constexpr int32_t LinkDisplayMs = 200;
constexpr int32_t TimeBackPerPair = 3;

}  // namespace

void Session::ClearCell(int32_t col, int32_t row) {
    engine_.Board[static_cast<size_t>(col)][static_cast<size_t>(row)] = 0;
    window_.DrawCellPicture(col, row, 0);
}

void Session::MainPaintBoxMouseDown(int32_t x, int32_t y) {
    // The start screen covers the board while no game is on; automatic play can still get
    // here after its first click has ended the game.
    if (!Playing) return;
    const TCell c{XToCol(x), YToRow(y)};
    // The surface can be larger than the board (the window fits the board only while a game
    // is on), so a press outside the array is a press on nothing.
    if (!engine_.InBoard(c) || engine_.CellIsEmpty(c)) return;
    auto value = [&](TCell cell) {
        return engine_.Board[static_cast<size_t>(cell.X)][static_cast<size_t>(cell.Y)];
    };

    if (engine_.StackIsEmpty()) {
        engine_.PushCell(c);
        Cue(cue::Select);
        window_.DrawMarkedCell(c.X, c.Y);
        return;
    }
    const TCell f = engine_.PeekCell();
    if (f == c) return;
    window_.DrawMarkedCell(c.X, c.Y);

    if (value(f) != value(c)) {
        Cue(cue::NotTheSame);
        RejectPair(c, f);
        return;
    }
    if (!engine_.CanLink(f, c)) {
        Cue(cue::Reset);
        RejectPair(c, f);
        return;
    }

    Cue(cue::Delete);
    AnimateLink();
    ClearCell(c.X, c.Y);
    ClearCell(f.X, f.Y);
    engine_.PopCell();
    TimeLeft = std::min(TimeLeft + TimeBackPerPair, FullTime);
    window_.DrawTimeBar();
    AfterRemoval();
}

void Session::AnimateLink() {
    int32_t points = 0;
    if (engine_.LinkOneCorner)
        points = 3;
    else if (engine_.LinkAdjacent || engine_.LinkStraight)
        points = 2;
    else if (engine_.LinkTwoCorners)
        points = 4;
    if (points == 0) return;
    window_.DrawLinkPath(points, true);
    window_.Wait(LinkDisplayMs);
    window_.DrawLinkPath(points, false);
}

void Session::RejectPair(TCell clicked, TCell pending) {
    window_.DrawCell(clicked.X, clicked.Y);
    window_.DrawCell(pending.X, pending.Y);
    window_.MainPaintBoxPaint();
    engine_.PopCell();
}

void Session::AfterRemoval() {
    if (engine_.IsBoardCleared()) {
        window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
        if (Level >= LastLevel) {
            Cue(cue::GameWin);
            window_.MessageBox("恭喜您，通关了!", "信息", MessageButtons::Ok, MessageIcon::None);
            Level = 0;
            NewGame();
            return;
        }
        if (!AutoPlayRunning)
            window_.MessageBox("恭喜您，过关了，并即将进入下一关!", "信息", MessageButtons::Ok,
                               MessageIcon::None);
        ++Level;
        Lives += 2;
        Hints += 3;
        StartLevel();
        return;
    }

    engine_.ShiftBoard(Level);
    window_.MainPaintBoxPaint();
    if (engine_.FindLinkablePair(HintPair[0], HintPair[1])) return;
    HintPair[0] = {};
    HintPair[1] = {};
    if (Lives > 0) {
        MenuOptionRearrangeClick();
        return;
    }
    EndGame();
    Lives = 0;
    Cue(cue::GameOver);
    window_.MessageBox("游戏结束!", "信息", MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace tessaly

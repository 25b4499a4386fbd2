// A click on the board: selecting a tile, removing a pair, and what a removal leads to.
#include "game/tile_click.h"

#include <algorithm>

#include "game/difficulty_table.h"
#include "game/resource_layout.h"

namespace tessaly {

namespace {

constexpr int32_t LinkDisplayMs = 200;
constexpr int32_t TimeBackPerPair = 3;

}  // namespace

void TileClick::ClearCell(TCell cell) {
    engine_.RemoveTile(cell);
    window_.DrawCellPicture(cell.X, cell.Y, 0);
}

void TileClick::MainPaintBoxMouseDown(int32_t x, int32_t y) {
    // The start screen covers the board while no game is on; automatic play can still get
    // here after its first click has ended the game.
    if (!view_.Playing) return;
    const TCell c{XToCol(x), YToRow(y)};
    // The surface can be larger than the board (the window fits the board only while a game
    // is on), so a press outside the array is a press on nothing.
    if (!engine_.InBoard(c) || engine_.CellIsEmpty(c)) return;
    auto value = [this](TCell cell) { return view_.ValueAt(cell.X, cell.Y); };

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
    ClearCell(c);
    ClearCell(f);
    engine_.PopCell();
    view_.TimeLeft = std::min(view_.TimeLeft + TimeBackPerPair, FullTime);
    window_.DrawTimeBar();
    AfterRemoval();
}

void TileClick::AnimateLink() {
    view_.LinkPath = engine_.LinkPathCells();
    if (view_.LinkPath.empty()) return;
    window_.DrawLinkPath(true);
    window_.Wait(LinkDisplayMs);
    window_.DrawLinkPath(false);
}

void TileClick::RejectPair(TCell clicked, TCell pending) {
    window_.DrawCell(clicked.X, clicked.Y);
    window_.DrawCell(pending.X, pending.Y);
    window_.MainPaintBoxPaint();
    engine_.PopCell();
}

void TileClick::AfterRemoval() {
    if (engine_.IsBoardCleared()) {
        window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
        if (view_.Level >= LastLevel) {
            Cue(cue::GameWin);
            window_.MessageBox("恭喜您，通关了!", "信息", MessageButtons::Ok, MessageIcon::None);
            view_.Level = 0;
            flow_.NewGame();
            return;
        }
        if (!view_.AutoPlayRunning)
            window_.MessageBox("恭喜您，过关了，并即将进入下一关!", "信息", MessageButtons::Ok,
                               MessageIcon::None);
        ++view_.Level;
        view_.Lives += 2;
        view_.Hints += 3;
        flow_.StartLevel();
        return;
    }

    engine_.ShiftBoard(view_.Level);
    window_.MainPaintBoxPaint();
    if (engine_.FindLinkablePair(view_.HintPair[0], view_.HintPair[1])) return;
    view_.HintPair[0] = {};
    view_.HintPair[1] = {};
    if (view_.Lives > 0) {
        help_.MenuOptionRearrangeClick();
        return;
    }
    flow_.EndGame();
    view_.Lives = 0;
    Cue(cue::GameOver);
    window_.MessageBox("游戏结束!", "信息", MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace tessaly

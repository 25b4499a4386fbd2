// The view's readings of the engine, and the switches' starting marks from the menu table.
#include "game/game_view.h"

#include "game/menu_commands.h"

namespace tessaly {

GameView::GameView(const Engine& engine)
    : SoundOn(EntryOf(MenuItemId::MenuOptionSound).checked),
      MusicOn(EntryOf(MenuItemId::MenuOptionMusic).checked),
      AutoPlayMarked(EntryOf(MenuItemId::MenuAutoPlay).checked),
      engine_(&engine) {}

std::optional<int32_t> GameView::ValueAt(int32_t col, int32_t row) const {
    const TMyArray& board = Board();
    if (col < 0 || row < 0 || static_cast<size_t>(col) >= board.size() ||
        static_cast<size_t>(row) >= board[static_cast<size_t>(col)].size())
        return std::nullopt;
    return board[static_cast<size_t>(col)][static_cast<size_t>(row)];
}

std::optional<TCell> GameView::Selected() const {
    if (engine_->StackIsEmpty()) return std::nullopt;
    return engine_->PeekCell();
}

bool GameView::Marked(MenuItemId item) const {
    switch (item) {
        case MenuItemId::MenuOptionSound:
            return SoundOn;
        case MenuItemId::MenuOptionMusic:
            return MusicOn;
        case MenuItemId::MenuAutoPlay:
            return AutoPlayMarked;
        default:
            return false;
    }
}

}  // namespace tessaly

// The view's readings of the engine, the information line's texts, and the switches' starting
// marks from the menu table.
#include "game/game_view.h"

#include "engine/engine.h"
#include "game/menu_commands.h"

namespace tessaly {

GameView::GameView(const Engine& engine)
    : SoundOn(EntryOf(MenuItemId::MenuOptionSound).Checked),
      MusicOn(EntryOf(MenuItemId::MenuOptionMusic).Checked),
      AutoPlayMarked(EntryOf(MenuItemId::MenuAutoPlay).Checked),
      engine_(&engine) {}

const TMyArray& GameView::Board() const {
    return engine_->Board();
}

int32_t GameView::ColCount() const {
    return engine_->ColCount();
}

int32_t GameView::RowCount() const {
    return engine_->RowCount();
}

std::optional<int32_t> GameView::ValueAt(int32_t col, int32_t row) const {
    const TMyArray& board = Board();
    if (col < 0 || row < 0 || static_cast<size_t>(col) >= board.size() ||
        static_cast<size_t>(row) >= board[static_cast<size_t>(col)].size())
        return std::nullopt;
    return board[static_cast<size_t>(col)][static_cast<size_t>(row)];
}

const InfoTexts& GameView::InfoLine() const {
    const InfoCounters now{Difficulty, Level, Lives, Hints};
    if (infoFor_ == now) return infoTexts_;
    infoFor_ = now;
    // A blank wipes out the longer value the last text may have left.
    auto blank = [](const char* label, size_t spaces) {
        return std::string(label) + std::string(spaces, ' ');
    };
    std::string grade;
    DifficultyName(Difficulty, grade);
    std::string level;
    ShiftModeName(Level, level);
    infoTexts_ = {
        blank("难度：", 17),
        "难度：" + grade,
        blank("关卡：", 25),
        "关卡：" + level,
        blank("生命：", 5),
        "生命：" + std::to_string(Lives),
        blank("提示：", 5),
        "提示：" + std::to_string(Hints),
        "时间：",
    };
    return infoTexts_;
}

}  // namespace tessaly

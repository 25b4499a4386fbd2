// The four difficulty grades: board size, kinds drawn, and what a new game starts with.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_window.h"

namespace tessaly {

struct DifficultyRow {
    int32_t ColCount;  // border ring included
    int32_t RowCount;  // border ring included
    int32_t KindCount;
    int32_t Lives;
    int32_t Hints;
    MenuItemId MenuItem;  // the grade's radio item
};

inline constexpr std::array<DifficultyRow, 4> DifficultyTable{{
    {12, 8, 25, 2, 4, MenuItemId::MenuGameLow},
    {14, 9, 30, 3, 6, MenuItemId::MenuGameMedium},
    {16, 10, 35, 4, 8, MenuItemId::MenuGameHigh},
    {18, 11, 45, 5, 10, MenuItemId::MenuGameSpecial},
}};

inline constexpr uint8_t LastLevel = 10;
inline constexpr int32_t FullTime = 100;

}  // namespace tessaly

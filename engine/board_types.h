// The board's plain types and its geometry on the board surface: what a painter needs of the
// engine, without the engine.
#pragma once

#include <cstdint>
#include <vector>

namespace tessaly {

// A board position: X is the column, Y the row.
struct TCell {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TCell&, const TCell&) = default;
};

// Columns of rows; Board[column][row]. Value 0 is empty, 1..KindCount a tile kind.
using TMyArray = std::vector<std::vector<int32_t>>;

inline constexpr int32_t CellSize = 50;
// The board surface carries the information line in its top pixels, so row 0 starts below it.
inline constexpr int32_t InfoLineHeight = 30;

// Cell <-> pixel of the board surface (the top 30 pixels carry the information line).
int32_t ColToX(int32_t col);
int32_t RowToY(int32_t row);
int32_t XToCol(int32_t x);
int32_t YToRow(int32_t y);

// Background colour numbers 1..15 <-> 0x00BBGGRR colour values.
uint32_t IndexToColor(int32_t index);
int32_t ColorToIndex(uint32_t color);

}  // namespace tessaly

// Cell <-> pixel mapping of the board surface and the background colour numbers.
#include <array>

#include "engine/engine.h"

namespace tessaly {

namespace {
// Background colour numbers 1..15, in 0x00BBGGRR order.
constexpr std::array<uint32_t, 15> BackgroundColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00,
};
}  // namespace

int32_t ColToX(int32_t col) {
    return (col - 1) * CellSize + CellSize;
}

int32_t RowToY(int32_t row) {
    return (row - 1) * CellSize + CellSize + InfoLineHeight;
}

// Division truncates toward zero, which widens column 1 and row 1 on their low side: the
// mapping of clicks depends on exactly this.
int32_t XToCol(int32_t x) {
    return (x - CellSize) / CellSize + 1;
}

int32_t YToRow(int32_t y) {
    return (y - CellSize - InfoLineHeight) / CellSize + 1;
}

uint32_t IndexToColor(int32_t index) {
    if (index < 1 || index > static_cast<int32_t>(BackgroundColors.size())) return 0x000000;
    return BackgroundColors[static_cast<size_t>(index - 1)];
}

int32_t ColorToIndex(uint32_t color) {
    for (size_t i = 0; i < BackgroundColors.size(); ++i) {
        if (BackgroundColors[i] == color) return static_cast<int32_t>(i) + 1;
    }
    return 1;
}

}  // namespace tessaly

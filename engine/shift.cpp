// Moving the remaining tiles after a removal: each mode packs segments of rows or columns
// toward an edge, the middle or a corner.
#include "engine/engine.h"

namespace tessaly {

// Packs the tiles of a segment toward its first cell, keeping their order.
void Engine::CompactLine(TCell start, int32_t dx, int32_t dy, int32_t length) {
    auto cell = [&](int32_t i) { return TCell{start.X + i * dx, start.Y + i * dy}; };
    for (int32_t t = 0; t < length; ++t) {
        if (At(cell(t)) != 0) continue;
        int32_t s = t + 1;
        while (s < length && At(cell(s)) == 0) ++s;
        if (s == length) return;  // the rest of the segment is empty
        At(cell(t)) = At(cell(s));
        At(cell(s)) = 0;
    }
}

// Rows top..bottom of each column firstCol..lastCol, packed toward top or bottom.
void Engine::PackColumns(int32_t firstCol, int32_t lastCol, int32_t top, int32_t bottom,
                         bool towardTop) {
    const int32_t length = bottom - top + 1;
    for (int32_t c = firstCol; c <= lastCol; ++c) {
        if (towardTop) {
            CompactLine(TCell{c, top}, 0, 1, length);
        } else {
            CompactLine(TCell{c, bottom}, 0, -1, length);
        }
    }
}

// Columns left..right of each row firstRow..lastRow, packed toward left or right.
void Engine::PackRows(int32_t firstRow, int32_t lastRow, int32_t left, int32_t right,
                      bool towardLeft) {
    const int32_t length = right - left + 1;
    for (int32_t r = firstRow; r <= lastRow; ++r) {
        if (towardLeft) {
            CompactLine(TCell{left, r}, 1, 0, length);
        } else {
            CompactLine(TCell{right, r}, -1, 0, length);
        }
    }
}

void Engine::ShiftBoard(uint8_t mode) {
    if (!HasInterior() || !BoardMatchesDimensions()) return;
    const int32_t maxX = colCount_ - 2;
    const int32_t maxY = rowCount_ - 2;
    const int32_t midX = maxX / 2;
    const int32_t midY = maxY / 2;

    // The upper part is rows 1..midY, the left part columns 1..midX; the other parts take
    // the rest, so an odd count gives the lower or right part one line more.
    auto upDownSeparate = [&] {
        PackColumns(1, maxX, 1, midY, true);
        PackColumns(1, maxX, midY + 1, maxY, false);
    };
    auto leftRightSeparate = [&] {
        PackRows(1, maxY, 1, midX, true);
        PackRows(1, maxY, midX + 1, maxX, false);
    };
    auto upDownCollect = [&] {
        PackColumns(1, maxX, 1, midY, false);
        PackColumns(1, maxX, midY + 1, maxY, true);
    };
    auto leftRightCollect = [&] {
        PackRows(1, maxY, 1, midX, false);
        PackRows(1, maxY, midX + 1, maxX, true);
    };

    switch (static_cast<TShiftMode>(mode)) {
        case TShiftMode::smNoChange:
            break;
        case TShiftMode::smToDown:
            PackColumns(1, maxX, 1, maxY, false);
            break;
        case TShiftMode::smToLeft:
            PackRows(1, maxY, 1, maxX, true);
            break;
        case TShiftMode::smUpDownSeperate:
            upDownSeparate();
            break;
        case TShiftMode::smLeftRightSeperate:
            leftRightSeparate();
            break;
        case TShiftMode::smUpDownCollect:
            upDownCollect();
            break;
        case TShiftMode::smLeftRightCollect:
            leftRightCollect();
            break;
        case TShiftMode::smLeftUpRightDown:
            // Full-width rows first, then columns within each part.
            PackRows(1, midY, 1, maxX, true);
            PackColumns(1, maxX, 1, midY, true);
            PackRows(midY + 1, maxY, 1, maxX, false);
            PackColumns(1, maxX, midY + 1, maxY, false);
            break;
        case TShiftMode::smLeftDownRightUp:
            // Rows within each part first, then full-height columns.
            PackRows(1, maxY, 1, midX, true);
            PackColumns(1, midX, 1, maxY, false);
            PackRows(1, maxY, midX + 1, maxX, false);
            PackColumns(midX + 1, maxX, 1, maxY, true);
            break;
        case TShiftMode::smUpDownLeftRightSeperate:
            upDownSeparate();
            leftRightSeparate();
            break;
        case TShiftMode::smUpDownLeftRightCollect:
            upDownCollect();
            leftRightCollect();
            break;
        default:
            break;
    }
}

}  // namespace tessaly

// Making a new board and mixing the tiles of a board.
#include <utility>

#include "engine/engine.h"

namespace tessaly {

namespace {
// Enough swaps to mix every grade thoroughly.
constexpr int SwapCount = 1001;
}  // namespace

void Engine::SwapCells(TCell a, TCell b) {
    if (!InBoard(a) || !InBoard(b) || !BoardMatchesDimensions()) return;
    std::swap(At(a), At(b));
}

void Engine::RemoveTile(TCell c) {
    if (!InBoard(c) || !BoardMatchesDimensions()) return;
    At(c) = 0;
}

void Engine::GenerateBoard() {
    // Drop the old board entirely, so nothing of it can survive into the new one.
    Board.clear();
    const int32_t cols = ColCount > 0 ? ColCount : 0;
    const int32_t rows = RowCount > 0 ? RowCount : 0;
    Board.assign(static_cast<size_t>(cols), std::vector<int32_t>(static_cast<size_t>(rows), 0));
    Reseed();
    if (!HasInterior() || KindCount < 1) return;

    // The right half copies the left half, so every kind occurs an even number of times.
    const int32_t half = (ColCount - 2) / 2;
    for (int32_t c = 1; c <= half; ++c) {
        for (int32_t r = 1; r <= RowCount - 2; ++r) {
            const auto kind =
                static_cast<int32_t>(DrawUniform(static_cast<uint32_t>(KindCount))) + 1;
            At(TCell{c, r}) = kind;
            At(TCell{half + c, r}) = kind;
        }
    }
    ShuffleBoard();

    for (int32_t r = 0; r < RowCount; ++r) {
        At(TCell{0, r}) = 0;
        At(TCell{ColCount - 1, r}) = 0;
    }
    for (int32_t c = 0; c < ColCount; ++c) {
        At(TCell{c, 0}) = 0;
        At(TCell{c, RowCount - 1}) = 0;
    }
}

void Engine::ShuffleBoard() {
    Reseed();
    if (!HasInterior() || !BoardMatchesDimensions()) return;
    const auto cols = static_cast<uint32_t>(ColCount - 2);
    const auto rows = static_cast<uint32_t>(RowCount - 2);
    for (int n = 0; n < SwapCount; ++n) {
        // Four separate statements: the order of the draws is part of the board a seed gives.
        const auto x1 = static_cast<int32_t>(DrawUniform(cols)) + 1;
        const auto y1 = static_cast<int32_t>(DrawUniform(rows)) + 1;
        const auto x2 = static_cast<int32_t>(DrawUniform(cols)) + 1;
        const auto y2 = static_cast<int32_t>(DrawUniform(rows)) + 1;
        SwapCells(TCell{x1, y1}, TCell{x2, y2});
    }
}

bool Engine::IsBoardCleared() const {
    if (!BoardMatchesDimensions()) return true;
    for (int32_t c = 1; c <= ColCount - 2; ++c)
        for (int32_t r = 1; r <= RowCount - 2; ++r)
            if (At(TCell{c, r}) != 0) return false;
    return true;
}

void Engine::RearrangeBoard() {
    if (!HasInterior() || !BoardMatchesDimensions()) return;
    // Drawing cells until one holds a tile would never end on a board without tiles.
    if (IsBoardCleared()) return;

    Reseed();
    const auto cols = static_cast<uint32_t>(ColCount - 2);
    const auto rows = static_cast<uint32_t>(RowCount - 2);
    auto drawTile = [&]() {
        for (;;) {
            const auto x = static_cast<int32_t>(DrawUniform(cols)) + 1;
            const auto y = static_cast<int32_t>(DrawUniform(rows)) + 1;
            if (At(TCell{x, y}) != 0) return TCell{x, y};
        }
    };
    for (int n = 0; n < SwapCount; ++n) {
        const TCell a = drawTile();
        const TCell b = drawTile();
        SwapCells(a, b);
    }
}

}  // namespace tessaly

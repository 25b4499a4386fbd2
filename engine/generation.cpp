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
    board_.clear();
    const int32_t cols = colCount_ > 0 ? colCount_ : 0;
    const int32_t rows = rowCount_ > 0 ? rowCount_ : 0;
    board_.assign(static_cast<size_t>(cols), std::vector<int32_t>(static_cast<size_t>(rows), 0));
    Reseed();
    if (!HasInterior() || kindCount_ < 1) return;

    // The right half copies the left half, so every kind occurs an even number of times.
    const int32_t half = (colCount_ - 2) / 2;
    for (int32_t c = 1; c <= half; ++c) {
        for (int32_t r = 1; r <= rowCount_ - 2; ++r) {
            const auto kind =
                static_cast<int32_t>(DrawUniform(static_cast<uint32_t>(kindCount_))) + 1;
            At(TCell{c, r}) = kind;
            At(TCell{half + c, r}) = kind;
        }
    }
    ShuffleBoard();

    for (int32_t r = 0; r < rowCount_; ++r) {
        At(TCell{0, r}) = 0;
        At(TCell{colCount_ - 1, r}) = 0;
    }
    for (int32_t c = 0; c < colCount_; ++c) {
        At(TCell{c, 0}) = 0;
        At(TCell{c, rowCount_ - 1}) = 0;
    }
}

void Engine::ShuffleBoard() {
    Reseed();
    if (!HasInterior() || !BoardMatchesDimensions()) return;
    const auto cols = static_cast<uint32_t>(colCount_ - 2);
    const auto rows = static_cast<uint32_t>(rowCount_ - 2);
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
    for (int32_t c = 1; c <= colCount_ - 2; ++c)
        for (int32_t r = 1; r <= rowCount_ - 2; ++r)
            if (At(TCell{c, r}) != 0) return false;
    return true;
}

void Engine::RearrangeBoard() {
    if (!HasInterior() || !BoardMatchesDimensions()) return;
    // Drawing cells until one holds a tile would never end on a board without tiles.
    if (IsBoardCleared()) return;

    Reseed();
    const auto cols = static_cast<uint32_t>(colCount_ - 2);
    const auto rows = static_cast<uint32_t>(rowCount_ - 2);
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

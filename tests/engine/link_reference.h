// An independent check of the link rule: a breadth-first search over (cell, direction) that
// counts turns. It knows nothing of rays; it only walks empty cells inside the array.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/engine.h"
#include "tests/engine/engine_access.h"

namespace tessaly::reference {

class TurnSearch {
  public:
    static constexpr int Unreachable = -1;

    // Fewest turns of any path from a to b whose inner cells are empty and inside the array;
    // Unreachable when there is none. Neighbours take 0 turns.
    int FewestTurns(const TMyArray& board, TCell a, TCell b) {
        const int cols = static_cast<int>(board.size());
        const int rows = cols == 0 ? 0 : static_cast<int>(board[0].size());
        const size_t states = static_cast<size_t>(cols * rows * 4);
        if (turns_.size() < states) {
            turns_.resize(states);
            layer_.reserve(2 * states);
            next_.reserve(2 * states);
        }
        std::fill(turns_.begin(), turns_.begin() + static_cast<std::ptrdiff_t>(states), Infinite);
        layer_.clear();
        next_.clear();

        auto inside = [&](int x, int y) { return x >= 0 && x < cols && y >= 0 && y < rows; };
        auto index = [&](int x, int y, int d) {
            return static_cast<size_t>((x * rows + y) * 4 + d);
        };
        int best = Infinite;

        // Leaving a: the first step sets the direction and costs nothing.
        for (int d = 0; d < 4; ++d) {
            const int x = a.X + Dx[d], y = a.Y + Dy[d];
            if (!inside(x, y)) continue;
            if (x == b.X && y == b.Y) return 0;
            if (board[static_cast<size_t>(x)][static_cast<size_t>(y)] != 0) continue;
            turns_[index(x, y, d)] = 0;
            layer_.push_back({x, y, d});
        }
        for (int t = 0; !layer_.empty() && t < best; ++t) {
            for (size_t i = 0; i < layer_.size(); ++i) {
                const State s = layer_[i];
                if (turns_[index(s.x, s.y, s.d)] != t) continue;  // reached cheaper since
                for (int d = 0; d < 4; ++d) {
                    if (d == (s.d + 2) % 4) continue;  // a path never doubles back
                    const int x = s.x + Dx[d], y = s.y + Dy[d];
                    if (!inside(x, y)) continue;
                    const int cost = t + (d == s.d ? 0 : 1);
                    if (x == b.X && y == b.Y) {
                        if (cost < best) best = cost;
                        continue;
                    }
                    if (board[static_cast<size_t>(x)][static_cast<size_t>(y)] != 0) continue;
                    int& known = turns_[index(x, y, d)];
                    if (cost >= known) continue;
                    known = cost;
                    (cost == t ? layer_ : next_).push_back({x, y, d});
                }
            }
            layer_.swap(next_);
            next_.clear();
        }
        return best == Infinite ? Unreachable : best;
    }

    // The link rule itself: at most two turns.
    bool Links(const TMyArray& board, TCell a, TCell b) {
        const int turns = FewestTurns(board, a, b);
        return turns != Unreachable && turns <= 2;
    }

    // The first tile in the hint search's scan order (column by column, each top to bottom)
    // with a linkable partner of its kind, and its first such partner in the same order.
    bool FirstPair(const TMyArray& board, TCell& p, TCell& q) {
        const int32_t cols = static_cast<int32_t>(board.size());
        const int32_t rows = cols == 0 ? 0 : static_cast<int32_t>(board[0].size());
        auto at = [&](int32_t x, int32_t y) {
            return board[static_cast<size_t>(x)][static_cast<size_t>(y)];
        };
        for (int32_t i = 1; i <= cols - 2; ++i) {
            for (int32_t j = 1; j <= rows - 2; ++j) {
                if (at(i, j) == 0) continue;
                for (int32_t k = 1; k <= cols - 2; ++k) {
                    for (int32_t l = 1; l <= rows - 2; ++l) {
                        if ((k == i && l == j) || at(k, l) != at(i, j)) continue;
                        if (Links(board, {i, j}, {k, l})) {
                            p = {i, j};
                            q = {k, l};
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

  private:
    struct State {
        int x, y, d;
    };
    static constexpr int Infinite = 1 << 30;
    static constexpr std::array<int, 4> Dx = {0, 1, 0, -1};
    static constexpr std::array<int, 4> Dy = {-1, 0, 1, 0};
    std::vector<int> turns_;
    std::vector<State> layer_;
    std::vector<State> next_;
};

// The number of turns of the shape the last successful link test reported.
inline int ReportedTurns(const Engine& e) {
    if (EngineTestAccess::LinkAdjacent(e) || EngineTestAccess::LinkStraight(e)) return 0;
    if (EngineTestAccess::LinkOneCorner(e)) return 1;
    if (EngineTestAccess::LinkTwoCorners(e)) return 2;
    return TurnSearch::Unreachable;
}

}  // namespace tessaly::reference

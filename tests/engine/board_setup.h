// Small helpers that set up boards for the engine tests and benchmarks.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "engine/engine.h"

namespace tessaly::testing {

struct Grade {
    int32_t cols, rows, kinds;
};
inline constexpr Grade Grades[4] = {{12, 8, 25}, {14, 9, 30}, {16, 10, 35}, {18, 11, 45}};

inline SeedSource FixedSeed(uint32_t seed) {
    return [seed] { return seed; };
}

inline void SetGrade(Engine& e, int grade) {
    e.ColCount = Grades[grade].cols;
    e.RowCount = Grades[grade].rows;
    e.KindCount = Grades[grade].kinds;
}

// An all-empty board of the engine's dimensions.
inline void ClearBoard(Engine& e) {
    e.Board.assign(static_cast<size_t>(e.ColCount),
                   std::vector<int32_t>(static_cast<size_t>(e.RowCount), 0));
}

inline int32_t& CellAt(Engine& e, TCell c) {
    return e.Board[static_cast<size_t>(c.X)][static_cast<size_t>(c.Y)];
}

// A board drawn as text, one string per row with the border ring included: '.' is empty,
// '1'..'9' and 'a'..'z' are kinds 1..35. Every row must have the same length.
inline void DrawBoard(Engine& e, const std::vector<std::string_view>& rows) {
    e.RowCount = static_cast<int32_t>(rows.size());
    e.ColCount = static_cast<int32_t>(rows.begin()->size());
    ClearBoard(e);
    int32_t y = 0;
    for (std::string_view row : rows) {
        if (row.size() != static_cast<size_t>(e.ColCount)) {
            throw std::invalid_argument("board rows differ in length");
        }
        for (int32_t x = 0; x < e.ColCount; ++x) {
            const char ch = row[static_cast<size_t>(x)];
            int32_t v = 0;
            if (ch >= '1' && ch <= '9') v = ch - '0';
            if (ch >= 'a' && ch <= 'z') v = ch - 'a' + 10;
            const bool border = x == 0 || y == 0 || x == e.ColCount - 1 || y == e.RowCount - 1;
            if (border && v != 0) throw std::invalid_argument("a tile on the border ring");
            CellAt(e, TCell{x, y}) = v;
        }
        ++y;
    }
}

// A full board of the largest grade on which no two equal tiles can be linked: neighbours
// always differ and each side of the tile block holds distinct kinds, so a link between
// equal tiles would need the ring on two sides, three turns.
inline void DrawDeadFullBoard(Engine& e) {
    SetGrade(e, 3);
    ClearBoard(e);
    const int32_t width = e.ColCount - 2;
    for (int32_t c = 1; c <= e.ColCount - 2; ++c) {
        for (int32_t r = 1; r <= e.RowCount - 2; ++r) {
            CellAt(e, TCell{c, r}) = ((c - 1) + (r - 1) * width) % e.KindCount + 1;
        }
    }
}

inline int CountTiles(const Engine& e) {
    int n = 0;
    for (const auto& column : e.Board) {
        for (int32_t v : column) n += v != 0;
    }
    return n;
}

}  // namespace tessaly::testing

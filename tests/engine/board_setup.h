// Small helpers that set up boards for the engine tests and benchmarks.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "game/difficulty_table.h"
#include "tests/engine/engine_access.h"

namespace tessaly::test {

inline SeedSource FixedSeed(uint32_t seed) {
    return [seed] { return seed; };
}

inline void SetGrade(Engine& e, int grade) {
    const DifficultyRow& row = DifficultyTable.at(static_cast<size_t>(grade));
    e.SetDimensions(row.ColCount, row.RowCount, row.KindCount);
}

// An all-empty board of the engine's dimensions.
inline void ClearBoard(Engine& e) {
    EngineTestAccess::Board(e).assign(static_cast<size_t>(e.ColCount()),
                                      std::vector<int32_t>(static_cast<size_t>(e.RowCount()), 0));
}

inline int32_t& CellAt(Engine& e, TCell c) {
    return EngineTestAccess::Board(e)[static_cast<size_t>(c.X)][static_cast<size_t>(c.Y)];
}

// Boards drawn as text, one string per row of the inside, the border ring being added round it:
// '.' is empty, 'A'..'Z' are kinds 1..26 and 'a'..'z' kinds 27..52. Engine and game tests
// share this one language.
inline int32_t KindOf(char ch) {
    if (ch == '.') return 0;
    if (ch >= 'A' && ch <= 'Z') return ch - 'A' + 1;
    if (ch >= 'a' && ch <= 'z') return ch - 'a' + 27;
    throw std::invalid_argument(std::string("not a cell of a drawn board: ") + ch);
}

inline char KindChar(int32_t kind) {
    if (kind == 0) return '.';
    if (kind >= 1 && kind <= 26) return static_cast<char>('A' + kind - 1);
    if (kind >= 27 && kind <= 52) return static_cast<char>('a' + kind - 27);
    throw std::invalid_argument("a kind that cannot be drawn: " + std::to_string(kind));
}

// Sets the engine's dimensions to the drawing's and lays it out; the kind count is left alone.
inline void DrawBoard(Engine& e, const std::vector<std::string_view>& rows) {
    if (rows.empty() || rows.front().empty()) throw std::invalid_argument("an empty drawing");
    EngineTestAccess::RowCount(e) = static_cast<int32_t>(rows.size()) + 2;
    EngineTestAccess::ColCount(e) = static_cast<int32_t>(rows.front().size()) + 2;
    ClearBoard(e);
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() != rows.front().size()) {
            throw std::invalid_argument("board rows differ in length");
        }
        for (size_t c = 0; c < rows[r].size(); ++c) {
            CellAt(e, TCell{static_cast<int32_t>(c) + 1, static_cast<int32_t>(r) + 1}) =
                KindOf(rows[r][c]);
        }
    }
}

// The inside of the board drawn as DrawBoard takes it.
inline std::vector<std::string> BoardRows(const Engine& e) {
    std::vector<std::string> rows;
    for (int32_t r = 1; r <= e.RowCount() - 2; ++r) {
        rows.emplace_back();
        for (int32_t c = 1; c <= e.ColCount() - 2; ++c) {
            rows.back() += KindChar(e.Board()[static_cast<size_t>(c)][static_cast<size_t>(r)]);
        }
    }
    return rows;
}

// A full board of the largest grade on which no two equal tiles can be linked: neighbours
// always differ and each side of the tile block holds distinct kinds, so a link between
// equal tiles would need the ring on two sides, three turns.
inline void DrawDeadFullBoard(Engine& e) {
    SetGrade(e, 3);
    ClearBoard(e);
    const int32_t width = e.ColCount() - 2;
    for (int32_t c = 1; c <= e.ColCount() - 2; ++c) {
        for (int32_t r = 1; r <= e.RowCount() - 2; ++r) {
            CellAt(e, TCell{c, r}) = ((c - 1) + (r - 1) * width) % e.KindCount() + 1;
        }
    }
}

// The tiles on the border ring, which must stay empty for the link test's paths.
inline int RingTiles(const Engine& e) {
    int n = 0;
    for (size_t c = 0; c < e.Board().size(); ++c) {
        const std::vector<int32_t>& column = e.Board()[c];
        const bool edge = c == 0 || c + 1 == e.Board().size();
        for (size_t r = 0; r < column.size(); ++r)
            n += column[r] != 0 && (edge || r == 0 || r + 1 == column.size());
    }
    return n;
}

inline int CountTiles(const Engine& e) {
    int n = 0;
    for (const auto& column : e.Board()) {
        for (int32_t v : column) n += v != 0;
    }
    return n;
}

}  // namespace tessaly::test

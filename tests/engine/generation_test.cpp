// The random generator and the making and mixing of boards.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "tests/engine/board_setup.h"

namespace tessaly {
namespace {

using A = EngineTestAccess;
using test::CellAt;
using test::FixedSeed;

std::map<int32_t, int> KindCounts(const Engine& e) {
    std::map<int32_t, int> counts;
    for (const auto& column : e.Board()) {
        for (int32_t v : column) {
            if (v != 0) ++counts[v];
        }
    }
    return counts;
}

std::vector<TCell> Occupied(const Engine& e) {
    std::vector<TCell> cells;
    for (int32_t c = 0; c < e.ColCount(); ++c) {
        for (int32_t r = 0; r < e.RowCount(); ++r) {
            if (e.Board()[static_cast<size_t>(c)][static_cast<size_t>(r)] != 0)
                cells.push_back({c, r});
        }
    }
    return cells;
}

void ExpectInterior(Engine& e, const std::vector<std::vector<int32_t>>& rows) {
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const TCell cell{static_cast<int32_t>(c) + 1, static_cast<int32_t>(r) + 1};
            EXPECT_EQ(CellAt(e, cell), rows[r][c]) << "cell (" << cell.X << ", " << cell.Y << ")";
        }
    }
}

TEST(RandomGenerator, StepsTheSeedBeforeScalingTheDraw) {
    Engine e(FixedSeed(1));
    e.Reseed();
    EXPECT_EQ(A::Seed(e), 1u);
    const std::pair<uint32_t, uint32_t> draws[] = {{100, 3}, {100, 86}, {45, 9},
                                                   {1, 0},   {7, 4},    {1000000, 318691}};
    for (auto [n, want] : draws) EXPECT_EQ(e.DrawUniform(n), want) << "n = " << n;
    EXPECT_EQ(A::Seed(e), 1368768587u);
}

TEST(RandomGenerator, ReseedAsksTheSeedSourceEachTime) {
    uint32_t next = 40;
    Engine e([&next] { return next++; });
    e.Reseed();
    EXPECT_EQ(A::Seed(e), 40u);
    e.Reseed();
    EXPECT_EQ(A::Seed(e), 41u);
    Engine clock;  // the default source must give a usable seed without a caller's help
    clock.Reseed();
    EXPECT_LT(clock.DrawUniform(10), 10u);
}

class EveryGrade : public ::testing::TestWithParam<int> {};

TEST_P(EveryGrade, NewBoardIsFullWithEvenKindsInsideAnEmptyRing) {
    const int grade = GetParam();
    for (uint32_t seed : {1u, 99u, 0xDEADBEEFu}) {
        Engine e(FixedSeed(seed));
        test::SetGrade(e, grade);
        e.GenerateBoard();
        ASSERT_EQ(e.Board().size(), static_cast<size_t>(e.ColCount()));
        for (int32_t c = 0; c < e.ColCount(); ++c) {
            ASSERT_EQ(e.Board()[static_cast<size_t>(c)].size(), static_cast<size_t>(e.RowCount()));
            for (int32_t r = 0; r < e.RowCount(); ++r) {
                const bool border =
                    c == 0 || r == 0 || c == e.ColCount() - 1 || r == e.RowCount() - 1;
                const int32_t v = CellAt(e, {c, r});
                if (border) {
                    EXPECT_EQ(v, 0);
                } else {
                    EXPECT_TRUE(v >= 1 && v <= e.KindCount()) << v;
                }
            }
        }
        EXPECT_EQ(test::CountTiles(e), (e.ColCount() - 2) * (e.RowCount() - 2));
        for (auto [kind, count] : KindCounts(e)) EXPECT_EQ(count % 2, 0) << "kind " << kind;
    }
}

TEST_P(EveryGrade, MixingKeepsTheKindsAndRearrangingKeepsTheOccupiedCells) {
    Engine e(FixedSeed(5));
    test::SetGrade(e, GetParam());
    e.GenerateBoard();
    const auto kinds = KindCounts(e);
    const TMyArray generated = e.Board();
    e.ShuffleBoard();
    EXPECT_EQ(KindCounts(e), kinds);
    // Take away every third tile, as play would, then rearrange.
    int n = 0;
    for (auto& column : A::Board(e)) {
        for (int32_t& v : column) {
            if (v != 0 && ++n % 3 == 0) v = 0;
        }
    }
    const auto before = Occupied(e);
    const auto kindsBefore = KindCounts(e);
    const TMyArray arranged = e.Board();
    e.RearrangeBoard();
    EXPECT_EQ(Occupied(e), before);
    EXPECT_EQ(KindCounts(e), kindsBefore);
    EXPECT_NE(e.Board(), arranged) << "the tiles were not mixed";
}

TEST_P(EveryGrade, SetUpLoopEndsWithAMoveOnTheBoard) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        Engine e(FixedSeed(seed * 7919));
        test::SetGrade(e, GetParam());
        e.GenerateBoard();
        TCell p, q;
        int rearranged = 0;
        while (!e.FindLinkablePair(p, q)) {
            e.RearrangeBoard();
            ASSERT_LT(++rearranged, 100);
        }
        EXPECT_EQ(CellAt(e, p), CellAt(e, q));
    }
}

INSTANTIATE_TEST_SUITE_P(Grades, EveryGrade, ::testing::Values(0, 1, 2, 3));

TEST(Generation, SameSeedGivesTheSameBoardAndAnotherSeedAnother) {
    Engine a(FixedSeed(1234)), b(FixedSeed(1234)), c(FixedSeed(1235));
    for (Engine* e : {&a, &b, &c}) {
        test::SetGrade(*e, 3);
        e->GenerateBoard();
    }
    EXPECT_EQ(a.Board(), b.Board());
    EXPECT_NE(a.Board(), c.Board());
}

// The board a seed gives depends on the order of every draw; this one was worked out apart
// from the engine, from the formula, the left-half fill order and the swap draws x1 y1 x2 y2.
TEST(Generation, SeedOneGivesTheKnownSmallestBoard) {
    Engine e(FixedSeed(1));
    test::SetGrade(e, 0);
    e.GenerateBoard();
    ExpectInterior(e, {
                          {13, 9, 23, 12, 22, 20, 20, 8, 3, 2},
                          {18, 22, 8, 9, 6, 10, 6, 21, 17, 8},
                          {23, 5, 21, 2, 7, 10, 5, 7, 7, 22},
                          {22, 1, 18, 11, 5, 5, 2, 9, 7, 10},
                          {9, 18, 8, 12, 22, 8, 12, 7, 12, 1},
                          {2, 17, 7, 22, 3, 13, 11, 8, 10, 18},
                      });
}

// Likewise for rearranging: each cell is drawn as x then y, again until it holds a tile.
TEST(Rearrangement, SeedOneGivesTheKnownArrangement) {
    Engine e(FixedSeed(1));
    test::SetGrade(e, 0);
    e.GenerateBoard();
    for (int32_t c = 1; c <= 10; ++c) {
        for (int32_t r = 1; r <= 6; ++r) {
            if ((c + r) % 3 == 0) CellAt(e, {c, r}) = 0;
        }
    }
    e.RearrangeBoard();
    ExpectInterior(e, {
                          {21, 0, 22, 2, 0, 7, 23, 0, 23, 5},
                          {0, 18, 7, 0, 22, 6, 0, 8, 18, 0},
                          {17, 3, 0, 8, 2, 0, 13, 7, 0, 12},
                          {5, 0, 2, 18, 0, 5, 11, 0, 3, 12},
                          {0, 11, 17, 0, 7, 10, 0, 10, 22, 0},
                          {22, 8, 0, 8, 2, 0, 20, 20, 0, 22},
                      });
}

TEST(Generation, NothingOfThePreviousBoardSurvives) {
    Engine e(FixedSeed(3));
    test::SetGrade(e, 3);
    e.GenerateBoard();
    A::Board(e)[0][0] = 44;  // even a stray value on the ring of a board of the same size
    e.GenerateBoard();
    EXPECT_EQ(e.Board()[0][0], 0);

    test::SetGrade(e, 0);
    A::KindCount(e) = 2;
    e.GenerateBoard();
    EXPECT_EQ(e.Board().size(), 12u);
    for (const auto& column : e.Board()) {
        EXPECT_EQ(column.size(), 8u);
        for (int32_t v : column) EXPECT_LE(v, 2);
    }
}

TEST(Rearrangement, TwoLastTilesKeepTheirPlaces) {
    Engine e(FixedSeed(8));
    test::SetGrade(e, 1);
    test::ClearBoard(e);
    CellAt(e, {2, 3}) = 17;
    CellAt(e, {9, 6}) = 17;
    const TMyArray before = e.Board();
    e.RearrangeBoard();
    EXPECT_EQ(e.Board(), before);
}

// Drawing cells until one holds a tile never ends on a board without tiles.
TEST(Rearrangement, BoardWithoutTilesIsLeftAloneAtOnce) {
    Engine e(FixedSeed(8));
    test::SetGrade(e, 2);
    test::ClearBoard(e);
    const TMyArray before = e.Board();
    e.RearrangeBoard();
    EXPECT_EQ(e.Board(), before);
    A::Board(e).clear();
    e.RearrangeBoard();  // before the first game
    e.ShuffleBoard();
    EXPECT_TRUE(e.Board().empty());
}

TEST(Rearrangement, ABoardIsClearedOnlyWithoutATileInsideTheRing) {
    Engine e(FixedSeed(8));
    test::SetGrade(e, 0);
    test::ClearBoard(e);
    EXPECT_TRUE(e.IsBoardCleared());
    CellAt(e, {e.ColCount() - 2, e.RowCount() - 2}) = 3;  // the last cell inside counts too
    EXPECT_FALSE(e.IsBoardCleared());
    A::Board(e).clear();  // before the first game
    EXPECT_TRUE(e.IsBoardCleared());
}

// Random boards with holes and kinds of odd count, many of them without a move: whenever a kind
// has a twin a pair is placed, by at most one swap of two tiles, and it is the move the hint
// search then finds. Drawn boards open the table: crosswise pairs in a corner, which no
// rearrangement helps, and tiles only in the last row or only in the last column.
TEST(Rearrangement, APlacedPairIsAMoveOnTheSameCellsWithTheSameKinds) {
    const std::vector<std::vector<std::string_view>> drawings = {
        {"AB", "BA"}, {"..", "AA"}, {".A", ".A"}};
    std::mt19937 draw(18);
    int deadBoards = 0;
    for (std::size_t round = 0; round < 600 + drawings.size(); ++round) {
        Engine e(FixedSeed(1));
        if (round < drawings.size()) {
            test::DrawBoard(e, drawings[round]);
        } else {
            const int32_t cols = 2 + static_cast<int32_t>(draw() % 7);
            const int32_t rows = 2 + static_cast<int32_t>(draw() % 5);
            const auto size = static_cast<uint32_t>(cols * rows);
            const uint32_t kinds = std::min<uint32_t>(52, 2 + size / 2 + draw() % size);
            const uint32_t holes = draw() % 3;  // out of 8 cells
            e.SetDimensions(cols + 2, rows + 2, e.KindCount());
            test::ClearBoard(e);
            for (int32_t c = 1; c <= cols; ++c)
                for (int32_t r = 1; r <= rows; ++r)
                    if (draw() % 8 >= holes)
                        CellAt(e, {c, r}) = 1 + static_cast<int32_t>(draw() % kinds);
        }
        const auto kinds = KindCounts(e);
        const auto cells = Occupied(e);
        const TMyArray before = e.Board();
        const bool twins = std::any_of(kinds.begin(), kinds.end(),
                                       [](const auto& kind) { return kind.second >= 2; });
        TCell p;
        TCell q;
        deadBoards += twins && !e.FindLinkablePair(p, q);
        const std::string drawn = ::testing::PrintToString(test::BoardRows(e));
        ASSERT_EQ(e.PlaceLinkablePair(p, q), twins) << drawn;
        EXPECT_EQ(KindCounts(e), kinds) << drawn;
        EXPECT_EQ(Occupied(e), cells) << drawn;
        std::vector<TCell> changed;
        for (const TCell& cell : cells)
            if (CellAt(e, cell) != before[static_cast<size_t>(cell.X)][static_cast<size_t>(cell.Y)])
                changed.push_back(cell);
        EXPECT_TRUE(changed.empty() || changed.size() == 2) << drawn;
        if (!twins) continue;
        EXPECT_NE(CellAt(e, p), 0) << drawn;
        EXPECT_EQ(CellAt(e, p), CellAt(e, q)) << drawn;
        TCell first;
        TCell second;
        ASSERT_TRUE(e.FindLinkablePair(first, second)) << drawn;
        EXPECT_EQ(p, first) << drawn;
        EXPECT_EQ(q, second) << drawn;
    }
    EXPECT_GE(deadBoards, 30) << "too few boards needed a placed pair";
}

TEST(Rearrangement, NoPairIsPlacedWithoutTwinsOrWithoutABoard) {
    Engine e(FixedSeed(1));
    test::DrawBoard(e, {"AB.", "..C"});
    const TMyArray before = e.Board();
    TCell p{1, 1};
    TCell q{2, 1};
    EXPECT_FALSE(e.PlaceLinkablePair(p, q));
    EXPECT_EQ(e.Board(), before);
    EXPECT_EQ(p, (TCell{1, 1}));
    A::Board(e).clear();
    EXPECT_FALSE(e.PlaceLinkablePair(p, q));
}

TEST(Generation, DegenerateDimensionsGiveAnEmptyBoardInsteadOfACrash) {
    Engine e(FixedSeed(8));
    for (auto [cols, rows] : {std::pair{0, 0}, {2, 5}, {5, 1}, {-3, 4}}) {
        e.SetDimensions(cols, rows, 5);
        e.GenerateBoard();
        EXPECT_EQ(test::CountTiles(e), 0);
    }
}

}  // namespace
}  // namespace tessaly

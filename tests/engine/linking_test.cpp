// The choices of the link test that the reference cannot pin: which shape and which corners
// are recorded, and what a refused test leaves behind.
#include <gtest/gtest.h>

#include "tests/engine/board_setup.h"

namespace tessaly {

namespace {

using A = EngineTestAccess;
using test::CellAt;
using test::DrawBoard;

enum class Shape { None, Adjacent, Straight, OneCorner, TwoCorners };

Shape ShapeOf(const Engine& e) {
    if (A::LinkAdjacent(e)) return Shape::Adjacent;
    if (A::LinkStraight(e)) return Shape::Straight;
    if (A::LinkOneCorner(e)) return Shape::OneCorner;
    if (A::LinkTwoCorners(e)) return Shape::TwoCorners;
    return Shape::None;
}

struct LinkCase {
    const char* name;
    std::vector<std::string_view> board;
    TCell a, b;
    Shape shape;
    // Slots 2..4 as the shape defines them; unused slots are not compared.
    TCell slot2, slot3, slot4;
};

class RecordedPath : public ::testing::TestWithParam<LinkCase> {};

TEST_P(RecordedPath, ShapeAndSlotsAreThoseOfTheFirstCandidate) {
    const LinkCase& c = GetParam();
    Engine e(test::FixedSeed(1));
    DrawBoard(e, c.board);
    ASSERT_EQ(e.CanLink(c.a, c.b), c.shape != Shape::None);
    EXPECT_EQ(ShapeOf(e), c.shape);
    if (c.shape == Shape::None) return;
    EXPECT_EQ(A::LinkPath(e).Slot[1], c.a);
    EXPECT_EQ(A::LinkPath(e).Slot[2], c.slot2);
    if (c.shape == Shape::OneCorner || c.shape == Shape::TwoCorners) {
        EXPECT_EQ(A::LinkPath(e).Slot[3], c.slot3);
    }
    if (c.shape == Shape::TwoCorners) {
        EXPECT_EQ(A::LinkPath(e).Slot[4], c.slot4);
    }
    // What the window draws: a line from tile to tile whose every leg is straight.
    const size_t points = c.shape == Shape::TwoCorners ? 4 : c.shape == Shape::OneCorner ? 3 : 2;
    const std::vector<TCell> line = e.LinkPathCells();
    ASSERT_EQ(line.size(), points);
    EXPECT_EQ(line.front(), c.a);
    EXPECT_EQ(line.back(), c.b);
    for (size_t i = 0; i + 1 < line.size(); ++i)
        EXPECT_TRUE(line[i].X == line[i + 1].X || line[i].Y == line[i + 1].Y) << "leg " << i;
}

// Column X grows to the right, row Y downward; each drawing is the inside of the border ring.
INSTANTIATE_TEST_SUITE_P(
    WorkedCases, RecordedPath,
    ::testing::Values(
        LinkCase{"NeighboursInAFullBoard",
                 {"BCDE", "FAAG", "HICD"},
                 {2, 2},
                 {3, 2},
                 Shape::Adjacent,
                 {3, 2},
                 {},
                 {}},
        LinkCase{"StraightAlongARow",
                 {"A..A.", "BCDEF"},
                 {1, 1},
                 {4, 1},
                 Shape::Straight,
                 {4, 1},
                 {},
                 {}},
        LinkCase{"TopRowBlockedOverTheBorder",
                 {"ABAA", "CDEF"},
                 {1, 1},
                 {3, 1},
                 Shape::TwoCorners,
                 {3, 1},
                 {3, 0},
                 {1, 0}},
        LinkCase{"FirstColumnThroughColumnZero",
                 {"ADG", "BEH", "AFI"},
                 {1, 1},
                 {1, 3},
                 Shape::TwoCorners,
                 {1, 3},
                 {0, 3},
                 {0, 1}},
        LinkCase{"OneCornerRecordsAColumnBRow",
                 {"....", ".A..", "....", "...A"},
                 {2, 2},
                 {4, 4},
                 Shape::OneCorner,
                 {2, 4},
                 {4, 4},
                 {}},
        LinkCase{"OneCornerTheOtherWayRound",
                 {"....", ".A..", "....", "...A"},
                 {4, 4},
                 {2, 2},
                 Shape::OneCorner,
                 {4, 2},
                 {2, 2},
                 {}},
        // Both corners of one turn blocked: A up with B down is the first pair that joins.
        LinkCase{"TwoCornersTakeTheFirstPairOfRays",
                 {"......", "......", ".B...A", "......", ".A...B", "......"},
                 {2, 5},
                 {6, 3},
                 Shape::TwoCorners,
                 {6, 3},
                 {6, 4},
                 {2, 4}},
        // Both joins of the rows succeed: above the two tiles (A up with B up) and between them
        // (A up with B down); the first pair of rays wins, at its cell nearest to A.
        LinkCase{"UpwardRaysBeforeCrossedOnes",
                 {"......", "..B.A.", "......", "......", ".A..C.", "......"},
                 {2, 5},
                 {5, 2},
                 Shape::TwoCorners,
                 {5, 2},
                 {5, 1},
                 {2, 1}},
        // No row joins one column; of the columns on both sides the right one comes first,
        // nearest to A.
        LinkCase{"SameColumnGoesRoundOnTheRightNextToTheTiles",
                 {".....", "..A..", "..B..", ".....", "..A..", "....."},
                 {3, 2},
                 {3, 5},
                 Shape::TwoCorners,
                 {3, 5},
                 {4, 5},
                 {4, 2}},
        LinkCase{"FourTurnsAreRefused",
                 {"B.CDEF.G", "H.IJKL.M", "N.AOPA.Q", "RSTUVWXY"},
                 {3, 3},
                 {6, 3},
                 Shape::None,
                 {},
                 {},
                 {}},
        LinkCase{"DifferentKindsNeverLink", {"AB.."}, {1, 1}, {2, 1}, Shape::None, {}, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinkTest, RefusalClearsTheFlagsAndKeepsThePathOfTheLastLink) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"....", ".A..", "....", "...A", ".B.C"});
    ASSERT_TRUE(e.CanLink({2, 2}, {4, 4}));
    const TCellList path = A::LinkPath(e);
    EXPECT_FALSE(e.CanLink({2, 5}, {4, 5}));
    EXPECT_EQ(ShapeOf(e), Shape::None);
    EXPECT_EQ(A::LinkPath(e).Slot, path.Slot);
}

TEST(LinkTest, NeighboursLeaveTheRaysAlone) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"A...", "....", "B..B"});
    ASSERT_TRUE(e.CanLink({1, 3}, {4, 3}));
    const auto rays = A::FirstRays(e);
    ASSERT_TRUE(A::HasEntries(rays[0]));
    CellAt(e, {2, 1}) = 1;
    ASSERT_TRUE(e.CanLink({1, 1}, {2, 1}));
    EXPECT_TRUE(A::LinkAdjacent(e));
    for (size_t d = 0; d < 4; ++d) EXPECT_EQ(A::FirstRays(e)[d].Slot, rays[d].Slot);
}

TEST(LinkTest, RaysListEmptyCellsNearestFirstAndStopAtATile) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"..C...", "......", "..A..A"});
    TCellList up, right;
    A::Clear(up);
    A::Clear(right);
    EXPECT_FALSE(A::CastRay(e, {3, 3}, TDirection::Up, {9, 9}, up));
    ASSERT_EQ(up.NextFree, 2);
    EXPECT_EQ(up.Slot[1], (TCell{3, 2}));
    // The target ends the ray without being recorded.
    EXPECT_TRUE(A::CastRay(e, {3, 3}, TDirection::Right, {6, 3}, right));
    ASSERT_EQ(right.NextFree, 3);
    EXPECT_EQ(right.Slot[1], (TCell{4, 3}));
    EXPECT_EQ(right.Slot[2], (TCell{5, 3}));
}

TEST(LinkTest, BuildingBlocksKeepToTheArray) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {".."});
    EXPECT_TRUE(e.InBoard({0, 0}));
    EXPECT_TRUE(e.InBoard({3, 2}));
    EXPECT_FALSE(e.InBoard({4, 2}));
    EXPECT_FALSE(e.InBoard({3, -1}));
    EXPECT_TRUE(A::IsNeighbour(e, {1, 1}, {1, 2}));
    EXPECT_FALSE(A::IsNeighbour(e, {1, 1}, {2, 2}));
    EXPECT_FALSE(A::IsNeighbour(e, {3, 0}, {4, 0})) << "a neighbour outside the array is none";
    TCellList list;
    list.Append({5, 5});
    A::Clear(list);
    EXPECT_FALSE(A::HasEntries(list));
    EXPECT_EQ(list.Slot[1], (TCell{}));
    // An empty ray joins nothing, even where its unused slots would name a ring cell.
    TCellList ray;
    ray.Append({0, 0});
    EXPECT_FALSE(A::TwoCorners(e, ray, list, true));
    EXPECT_FALSE(A::TwoCorners(e, ray, list, false));
}

// Callers never pass these; the test refuses them instead of reading outside the board or
// joining a tile with itself.
TEST(LinkTest, RefusesCellsThatAreNoPairOfTiles) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"A.A", "..."});
    EXPECT_FALSE(e.CanLink({1, 1}, {1, 1}));
    EXPECT_FALSE(e.CanLink({2, 1}, {2, 2})) << "two empty cells";
    EXPECT_FALSE(e.CanLink({1, 1}, {40, 1}));
    EXPECT_FALSE(e.CanLink({-1, 1}, {1, 1}));
    EXPECT_TRUE(e.CanLink({1, 1}, {3, 1}));
    A::ColCount(e) = 9;  // dimensions that do not match the board
    EXPECT_FALSE(e.CanLink({1, 1}, {3, 1}));
    EXPECT_EQ(ShapeOf(e), Shape::None);
}

}  // namespace
}  // namespace tessaly

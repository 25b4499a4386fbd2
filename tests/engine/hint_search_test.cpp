// The scan order of the hint search and what it leaves on failure.
#include <gtest/gtest.h>

#include "tests/engine/board_setup.h"

namespace tessaly {
namespace {

using test::DrawBoard;

TEST(HintSearch, ColumnOneIsScannedFirst) {
    Engine e(test::FixedSeed(1));
    // Equal pairs: (3,2)-(7,2) through row 0 and (1,5)-(2,5) side by side.
    DrawBoard(e, {"BC.EFG.I", "JKALMNAO", "PQRSTUVW", "XYZabcde", "ffDghiH."});
    TCell p, q;
    ASSERT_TRUE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, (TCell{1, 5}));
    EXPECT_EQ(q, (TCell{2, 5}));
    EXPECT_TRUE(e.LinkAdjacent);
}

TEST(HintSearch, PartnerIsTheFirstInColumnOrder) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"ABCA", "DEFG", "AHIH"});
    TCell p, q;
    ASSERT_TRUE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, (TCell{1, 1}));
    EXPECT_EQ(q, (TCell{1, 3}));
    EXPECT_TRUE(e.LinkTwoCorners) << "the link state describes P to Q";
    EXPECT_EQ(e.LinkPath.Slot[2], q);
}

TEST(HintSearch, DeadOrEmptyBoardLeavesPAndQAlone) {
    Engine e(test::FixedSeed(1));
    test::DrawDeadFullBoard(e);
    const TCell p0{4, 4}, q0{5, 6};
    TCell p = p0, q = q0;
    EXPECT_FALSE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, p0);
    EXPECT_EQ(q, q0);
    test::ClearBoard(e);
    EXPECT_FALSE(e.FindLinkablePair(p, q));
    e.Board.clear();  // before the first game
    EXPECT_FALSE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, p0);
}

// Every equal pair includes an enclosed tile, so the search fails on every pair it tries: no
// shape flag may stay from an earlier link, and the recorded path stays as it was.
TEST(HintSearch, FailedSearchLeavesNoShapeFlagAndThePathAlone) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"A.A"});
    ASSERT_TRUE(e.CanLink({1, 1}, {3, 1}));
    const TCellList path = e.LinkPath;
    DrawBoard(e, {"BCD", "EAF", "GHA"});
    TCell p, q;
    EXPECT_FALSE(e.FindLinkablePair(p, q));
    EXPECT_FALSE(e.LinkAdjacent || e.LinkStraight || e.LinkOneCorner || e.LinkTwoCorners);
    EXPECT_EQ(e.LinkPath.Slot, path.Slot);
}

TEST(HintSearch, EqualTilesOnAnySideOfAFullBoardLinkThroughTheRing) {
    Engine e(test::FixedSeed(1));
    const TCell sides[4][2] = {
        {{3, 1}, {12, 1}}, {{1, 2}, {1, 8}}, {{5, 9}, {15, 9}}, {{16, 3}, {16, 7}}};
    for (const auto& side : sides) {
        test::DrawDeadFullBoard(e);
        test::CellAt(e, side[1]) = test::CellAt(e, side[0]);
        TCell p, q;
        ASSERT_TRUE(e.FindLinkablePair(p, q));
        EXPECT_EQ(p, side[0]);
        EXPECT_EQ(q, side[1]);
        EXPECT_TRUE(e.LinkTwoCorners);
    }
}

TEST(HintSearch, BoardWithMoreTilesThanTheScratchListsIsSearchedInTheSameOrder) {
    Engine e(test::FixedSeed(1));
    e.ColCount = 50;
    e.RowCount = 50;
    test::ClearBoard(e);
    int32_t kind = 100;
    for (int32_t c = 1; c <= 48; ++c) {
        for (int32_t r = 1; r <= 48; ++r) test::CellAt(e, {c, r}) = kind++;
    }
    test::CellAt(e, {20, 1}) = test::CellAt(e, {10, 1});
    test::CellAt(e, {3, 6}) = test::CellAt(e, {3, 5});
    TCell p, q;
    ASSERT_TRUE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, (TCell{3, 5}));
    EXPECT_EQ(q, (TCell{3, 6}));
    test::CellAt(e, {3, 6}) = 1;
    ASSERT_TRUE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, (TCell{10, 1}));
    EXPECT_EQ(q, (TCell{20, 1}));
}

}  // namespace
}  // namespace tessaly

// The scan order of the hint search and what it leaves on failure.
#include <gtest/gtest.h>

#include "tests/engine/board_setup.h"
#include "tests/engine/link_reference.h"

namespace tessaly {
namespace {

using A = EngineTestAccess;
using test::DrawBoard;

TEST(HintSearch, ColumnOneIsScannedFirst) {
    Engine e(test::FixedSeed(1));
    // Equal pairs: (3,2)-(7,2) through row 0 and (1,5)-(2,5) side by side.
    DrawBoard(e, {"BC.EFG.I", "JKALMNAO", "PQRSTUVW", "XYZabcde", "ffDghiH."});
    TCell p, q;
    ASSERT_TRUE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, (TCell{1, 5}));
    EXPECT_EQ(q, (TCell{2, 5}));
    EXPECT_TRUE(A::LinkAdjacent(e));
}

TEST(HintSearch, PartnerIsTheFirstInColumnOrder) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"ABCA", "DEFG", "AHIH"});
    TCell p, q;
    ASSERT_TRUE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, (TCell{1, 1}));
    EXPECT_EQ(q, (TCell{1, 3}));
    EXPECT_TRUE(A::LinkTwoCorners(e)) << "the link state describes P to Q";
    EXPECT_EQ(A::LinkPath(e).Slot[2], q);
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
    A::Board(e).clear();  // before the first game
    EXPECT_FALSE(e.FindLinkablePair(p, q));
    EXPECT_EQ(p, p0);
}

// Every equal pair includes an enclosed tile, so the search fails on every pair it tries: no
// shape flag may stay from an earlier link, and the recorded path stays as it was.
TEST(HintSearch, FailedSearchLeavesNoShapeFlagAndThePathAlone) {
    Engine e(test::FixedSeed(1));
    DrawBoard(e, {"A.A"});
    ASSERT_TRUE(e.CanLink({1, 1}, {3, 1}));
    const TCellList path = A::LinkPath(e);
    DrawBoard(e, {"BCD", "EAF", "GHA"});
    TCell p, q;
    EXPECT_FALSE(e.FindLinkablePair(p, q));
    EXPECT_EQ(A::ShapeFlags(e), 0);
    EXPECT_EQ(A::LinkPath(e).Slot, path.Slot);
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
        EXPECT_TRUE(A::LinkTwoCorners(e));
    }
}

// Tiles and kind numbers right at the scratch lists' sizes, and one past them, are searched in
// the same order as the reference searches them, whether the search uses the lists or not.
TEST(HintSearch, BoardsAtAndPastTheScratchListsAreSearchedInTheSameOrder) {
    struct Row {
        int tiles;
        int32_t topKind;
    };
    reference::TurnSearch ref;
    for (const Row row : {Row{1024, 1023}, Row{1025, 1023}, Row{1024, 1024}, Row{2304, 2400}}) {
        Engine e(test::FixedSeed(1));
        e.SetDimensions(50, 50, e.KindCount());
        test::ClearBoard(e);
        // Equal tiles are few and far apart: the first move lies deep in the scan.
        for (int i = 0; i < row.tiles; ++i) {
            const int32_t kind = 1 + static_cast<int32_t>(i * 389L % row.topKind);
            test::CellAt(e, {1 + i / 48, 1 + i % 48}) = i + 1 == row.tiles ? row.topKind : kind;
        }
        TCell p, q, wantP, wantQ;
        const bool want = ref.FirstPair(e.Board(), wantP, wantQ);
        ASSERT_EQ(e.FindLinkablePair(p, q), want) << row.tiles << " " << row.topKind;
        if (want) {
            EXPECT_EQ(p, wantP) << row.tiles << " " << row.topKind;
            EXPECT_EQ(q, wantQ) << row.tiles << " " << row.topKind;
        }
    }
}

}  // namespace
}  // namespace tessaly

// The link test and the hint search against the breadth-first reference, on random boards of
// every grade with random holes. Few kinds per board, so that most pairs hold equal tiles.
#include "tests/engine/link_reference.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/engine/board_setup.h"

namespace tessaly {
namespace {

using A = EngineTestAccess;
using reference::ReportedTurns;
using reference::TurnSearch;
using test::CellAt;

bool Aligned(TCell p, TCell q) {
    return (p.X == q.X) != (p.Y == q.Y);
}

// Every cell strictly between p and q is inside the array and empty.
bool ClearBetween(const Engine& e, TCell p, TCell q) {
    const int dx = (q.X > p.X) - (q.X < p.X);
    const int dy = (q.Y > p.Y) - (q.Y < p.Y);
    for (TCell c{p.X + dx, p.Y + dy}; !(c == q); c.X += dx, c.Y += dy) {
        if (!e.InBoard(c) || !e.CellIsEmpty(c)) return false;
    }
    return true;
}

bool EmptyInside(const Engine& e, TCell c) {
    return e.InBoard(c) && e.CellIsEmpty(c);
}

// Checks the path that a successful test left in LinkPath; returns what is wrong, if anything.
std::string PathFault(const Engine& e, TCell a, TCell b) {
    const auto& s = A::LinkPath(e).Slot;
    if (!(s[1] == a)) return "slot 1 is not A";
    if (A::LinkAdjacent(e)) {
        if (!(s[2] == b) || std::abs(a.X - b.X) + std::abs(a.Y - b.Y) != 1) return "not neighbours";
        return "";
    }
    if (A::LinkStraight(e)) {
        if (!(s[2] == b) || !Aligned(a, b) || !ClearBetween(e, a, b)) return "bad straight line";
        return "";
    }
    if (A::LinkOneCorner(e)) {
        const TCell c = s[2];
        if (!(s[3] == b)) return "slot 3 is not B";
        if (!EmptyInside(e, c) || !Aligned(a, c) || !Aligned(c, b)) return "bad corner";
        if ((a.X == c.X) == (c.X == b.X)) return "corner is no turn";
        if (!ClearBetween(e, a, c) || !ClearBetween(e, c, b)) return "blocked segment";
        return "";
    }
    if (A::LinkTwoCorners(e)) {
        const TCell nearA = s[4], nearB = s[3];
        if (!(s[2] == b)) return "slot 2 is not B";
        if (!EmptyInside(e, nearA) || !EmptyInside(e, nearB)) return "corner not empty";
        if (!Aligned(a, nearA) || !Aligned(nearA, nearB) || !Aligned(nearB, b)) {
            return "segment not straight";
        }
        const bool firstVertical = a.X == nearA.X;
        if ((nearA.X == nearB.X) == firstVertical || (nearB.X == b.X) != firstVertical) {
            return "corners are not two turns";
        }
        if (!ClearBetween(e, a, nearA) || !ClearBetween(e, nearA, nearB) ||
            !ClearBetween(e, nearB, b)) {
            return "blocked segment";
        }
        return "";
    }
    return "no shape flag set";
}

struct RandomBoard {
    Engine engine{test::FixedSeed(1)};
    std::vector<TCell> tiles;
};

void FillRandomBoard(RandomBoard& rb, int grade, double density, int kinds, std::mt19937& rng) {
    Engine& e = rb.engine;
    test::SetGrade(e, grade);
    test::ClearBoard(e);
    std::bernoulli_distribution occupied(density);
    std::uniform_int_distribution<int> kind(1, kinds);
    rb.tiles.clear();
    for (int32_t c = 1; c <= e.ColCount() - 2; ++c) {
        for (int32_t r = 1; r <= e.RowCount() - 2; ++r) {
            if (!occupied(rng)) continue;
            CellAt(e, TCell{c, r}) = kind(rng);
            rb.tiles.push_back(TCell{c, r});
        }
    }
}

TEST(LinkTestAgainstReference, AgreesOnAnswerShapeAndPathOnRandomBoards) {
    std::mt19937 rng(20261208);
    TurnSearch ref;
    RandomBoard rb;
    int linked = 0, refused = 0, blocked = 0, turnsSeen[3] = {0, 0, 0};
    for (int n = 0; n < 4000; ++n) {
        FillRandomBoard(rb, n % 4, std::uniform_real_distribution<double>(0.1, 1.0)(rng),
                        std::uniform_int_distribution<int>(1, 4)(rng), rng);
        Engine& e = rb.engine;
        if (rb.tiles.size() < 2) continue;
        std::uniform_int_distribution<size_t> pick(0, rb.tiles.size() - 1);
        for (int k = 0; k < 30; ++k) {
            const TCell a = rb.tiles[pick(rng)];
            const TCell b = rb.tiles[pick(rng)];
            if (a == b) continue;
            const bool equal = CellAt(e, a) == CellAt(e, b);
            const int turns = equal ? ref.FewestTurns(e.Board(), a, b) : TurnSearch::Unreachable;
            const bool expected = turns != TurnSearch::Unreachable && turns <= 2;
            const TCellList before = A::LinkPath(e);
            ASSERT_EQ(e.CanLink(a, b), expected)
                << "board " << n << " A=(" << a.X << "," << a.Y << ") B=(" << b.X << "," << b.Y
                << ") reference turns " << turns;
            if (expected) {
                ++linked;
                ++turnsSeen[turns];
                ASSERT_EQ(ReportedTurns(e), turns) << "board " << n;
                ASSERT_EQ(A::ShapeFlags(e), 1);
                ASSERT_EQ(PathFault(e, a, b), "") << "board " << n;
            } else {
                ++refused;
                blocked += equal;
                ASSERT_EQ(A::ShapeFlags(e), 0);
                ASSERT_EQ(A::LinkPath(e).Slot, before.Slot) << "a failed test wrote the path";
            }
        }
    }
    // The random boards must have exercised every outcome, or the agreement means little.
    EXPECT_GT(refused, 1000);
    EXPECT_GT(blocked, 1000) << "equal tiles that need three turns or more";
    for (int t = 0; t < 3; ++t) EXPECT_GT(turnsSeen[t], 1000) << "turns " << t;
    EXPECT_GT(linked, 10000);
}

TEST(HintSearchAgainstReference, FindsTheFirstPairInScanOrderOrReportsADeadBoard) {
    std::mt19937 rng(7);
    TurnSearch ref;
    RandomBoard rb;
    int dead = 0;
    for (int n = 0; n < 600; ++n) {
        Engine& e = rb.engine;
        if (n % 2 == 0) {
            FillRandomBoard(rb, n % 4, std::uniform_real_distribution<double>(0.1, 1.0)(rng),
                            std::uniform_int_distribution<int>(1, 6)(rng), rng);
        } else {
            // Random dead boards are rare: give every pair the search finds a kind of its own
            // until none is left, then let the reference look for a pair that was missed.
            FillRandomBoard(rb, n % 4, std::uniform_real_distribution<double>(0.4, 1.0)(rng),
                            std::uniform_int_distribution<int>(25, 45)(rng), rng);
            TCell p, q;
            for (int32_t unique = 100; e.FindLinkablePair(p, q); ++unique) CellAt(e, q) = unique;
        }
        TCell wantP{-1, -1}, wantQ{-1, -1};
        const bool want = ref.FirstPair(e.Board(), wantP, wantQ);
        TCell p{-7, -7}, q{-8, -8};
        ASSERT_EQ(e.FindLinkablePair(p, q), want) << "board " << n;
        if (want) {
            ASSERT_EQ(p, wantP) << "board " << n;
            ASSERT_EQ(q, wantQ) << "board " << n;
            ASSERT_EQ(PathFault(e, p, q), "") << "the link state must describe P to Q";
        } else {
            ++dead;
            ASSERT_EQ(p, (TCell{-7, -7}));
            ASSERT_EQ(q, (TCell{-8, -8}));
        }
    }
    EXPECT_GT(dead, 200);
}

}  // namespace
}  // namespace tessaly

// The hint and the rearrangement, and the promise that a board always ends up with a move.
#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace tessaly::test {
namespace {

using HintTest = GameTest;
using RearrangeTest = GameTest;

// Crosswise pairs: neither the As nor the Bs can be linked.
const std::vector<std::string> kDead{"AB", "BA"};

TEST_F(HintTest, DoesNothingWithoutAGameOrWithoutHints) {
    LoadBoard({"AA"});
    state.HintPair[0] = {1, 1};
    state.HintPair[1] = {2, 1};
    state.Hints = 0;
    game.Command(MenuItemId::MenuOptionGetHint);
    state.Hints = -1;
    game.Command(MenuItemId::MenuOptionGetHint);
    state.Hints = 3;
    state.Playing = false;
    game.Command(MenuItemId::MenuOptionGetHint);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(state.Hints, 3);
}

TEST_F(HintTest, MarksTheStoredPairAfterAFullRedraw) {
    LoadBoard({"AB.", "..B"});
    Click({1, 1});  // a pending selection stays pending
    state.HintPair[0] = {2, 1};
    state.HintPair[1] = {3, 2};
    state.Hints = 2;
    window.Forget();
    game.Command(MenuItemId::MenuOptionGetHint);
    EXPECT_EQ(state.Hints, 1);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"MainPaintBoxPaint", "DrawMarkedCell 2 1",
                                                      "DrawMarkedCell 3 2"}));
    EXPECT_EQ(painted.back().hints, 1) << "the redraw shows the lowered count";
    EXPECT_EQ(engine.PeekCell(), (TCell{1, 1}));
    EXPECT_TRUE(window.cues.empty());
}

TEST_F(HintTest, WithoutAStoredPairItAsksForARearrangementAndStillCosts) {
    LoadBoard(kDead);
    state.Hints = 1;
    game.Command(MenuItemId::MenuOptionGetHint);
    EXPECT_EQ(state.Hints, 0);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "需要对剩下的卡片进行重排！");
    EXPECT_EQ(window.messages[0].caption, "信息");
    EXPECT_EQ(window.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(window.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(window.calls.front(), "MainPaintBoxPaint");
}

TEST_F(RearrangeTest, DoesNothingWithoutAGameOrWithoutLives) {
    LoadBoard(kDead);
    state.Lives = 0;
    game.Command(MenuItemId::MenuOptionRearrange);
    state.Lives = 2;
    state.Playing = false;
    game.Command(MenuItemId::MenuOptionRearrange);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(state.Lives, 2);
}

TEST_F(RearrangeTest, SpendsALifeAndLeavesAMoveOnTheSameCells) {
    LoadBoard({"AB..", "BA.C", "..DC", "..D."});
    const auto occupied = Occupied();
    const auto kinds = KindCounts();
    const TMyArray before = engine.Board();
    Click({1, 1});
    state.Lives = 1;  // the last life is spent even though a move exists
    window.Forget();

    game.Command(MenuItemId::MenuOptionRearrange);

    EXPECT_EQ(state.Lives, 0);
    EXPECT_NE(engine.Board(), before) << "the tiles change places although a move existed";
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[0].lives, 0) << "the first redraw shows the lowered count";
    EXPECT_EQ(window.calls.front(), "MainPaintBoxPaint");
    EXPECT_EQ(window.calls[1], "PlayCue REARRANGE");
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint");
    EXPECT_EQ(window.calls.size(), 3u);
    EXPECT_EQ(Occupied(), occupied);
    EXPECT_EQ(KindCounts(), kinds);
    ExpectHintPairLinkable();
    EXPECT_EQ(engine.PeekCell(), (TCell{1, 1})) << "the selection is left as it is";
}

TEST_F(RearrangeTest, ADeadBoardGetsAMoveEvenWhenChanceNeverHelps) {
    // A clock that does not move between re-seedings makes every rearrangement the same mix;
    // from this seed that mix never gives the crosswise pairs a move, so waiting for chance
    // would hang. With any limit, even none, the game must find a move by itself.
    for (int32_t limit : {0, 1, 100, 1000}) {
        RecordingWindow w;
        Game g{w, [] { return 12345u; }};
        Engine& stuck = GameTestAccess::EngineOf(g);
        GameView& s = GameTestAccess::StateOf(g);
        GameTestAccess::PartOf<Help>(g).SetRearrangeTryLimit(limit);
        LoadBoard(kDead);
        stuck.SetDimensions(engine.ColCount(), engine.RowCount(), stuck.KindCount());
        EngineTestAccess::Board(stuck) = engine.Board();
        s.Playing = true;
        s.Lives = 1;
        TCell p;
        TCell q;
        g.Command(MenuItemId::MenuOptionRearrange);
        EXPECT_TRUE(stuck.FindLinkablePair(p, q)) << "limit " << limit;
        EXPECT_EQ(s.HintPair[0], p);
        EXPECT_EQ(s.HintPair[1], q);
        // Same cells, same kinds.
        EngineTestAccess::Board(engine) = stuck.Board();
        EXPECT_EQ(Occupied().size(), 4u);
        EXPECT_EQ(KindCounts(), (std::map<int32_t, int>{{1, 2}, {2, 2}}));
    }
}

TEST_F(RearrangeTest, OnlyTwoTilesLeftFarApartStillLink) {
    LoadBoard({"A...", "....", "...A"});
    part<Help>().SetRearrangeTryLimit(0);
    game.Command(MenuItemId::MenuOptionRearrange);
    ExpectHintPairLinkable();
}

TEST_F(RearrangeTest, AnEmptyBoardDoesNotHang) {
    LoadBoard({"..", ".."});
    state.Lives = 1;
    game.Command(MenuItemId::MenuOptionRearrange);
    EXPECT_EQ(state.Lives, 0);
    EXPECT_TRUE(Occupied().empty());
}

}  // namespace
}  // namespace tessaly::test

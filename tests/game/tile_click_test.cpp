// Clicks on the board: selecting, refusing and removing pairs, and what a removal leads to.
#include <ostream>
#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace tessaly::test {
namespace {

using TileClickTest = GameTest;

TEST_F(TileClickTest, ClicksOnNothingAreIgnoredWithoutASound) {
    LoadBoard({"A.A", "BB."});
    Click({0, 0});                         // border ring
    Click({2, 1});                         // empty cell
    game.MouseDown(ColToX(1), 5);          // information line
    game.MouseDown(ColToX(9), RowToY(1));  // right of the board
    game.MouseDown(-400, -400);            // far outside
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(engine.StackIsEmpty());

    Click({1, 1});
    window.Forget();
    Click({1, 1});  // the selected tile again, as the second half of a double click
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(engine.PeekCell(), (TCell{1, 1}));
}

TEST_F(TileClickTest, ClicksReachNothingWhileNoGameIsOn) {
    game.MouseDown(ColToX(1), RowToY(1));  // before any board exists
    LoadBoard({"AA"});
    part<Flow>().EndGame();
    window.Forget();
    Click({1, 1});
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(engine.StackIsEmpty());
}

TEST_F(TileClickTest, FirstClickSelectsAndMarksTheTile) {
    LoadBoard({"AB", "BA"});
    // Any pixel of the cell will do, not only its corner.
    game.MouseDown(ColToX(2) + 49, RowToY(1) + 49);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"PlayCue Select", "DrawMarkedCell 2 1"}));
    EXPECT_FALSE(engine.StackIsEmpty());
    EXPECT_EQ(engine.PeekCell(), (TCell{2, 1}));
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> rows;
    TCell first, second;
    const char* cue;
};

void PrintTo(const RefusalCase& t, std::ostream* os) {
    *os << t.name;
}

class RefusedPairTest : public GameTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusedPairTest, SaysWhyRedrawsBothAndForgetsTheSelection) {
    const RefusalCase& t = GetParam();
    LoadBoard(t.rows);
    state.TimeLeft = 50;  // below the full bar, where time given back would show
    const TMyArray before = engine.Board();
    Click(t.first);
    window.Forget();
    Click(t.second);
    const std::string s = std::to_string(t.second.X) + " " + std::to_string(t.second.Y);
    const std::string f = std::to_string(t.first.X) + " " + std::to_string(t.first.Y);
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"DrawMarkedCell " + s, std::string("PlayCue ") + t.cue,
                                        "DrawCell " + s, "DrawCell " + f, "MainPaintBoxPaint"}));
    EXPECT_TRUE(engine.StackIsEmpty());
    EXPECT_EQ(engine.Board(), before);
    EXPECT_EQ(state.TimeLeft, 50);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedPairTest,
    ::testing::Values(RefusalCase{"DifferentKinds", {"AB", "BA"}, {1, 1}, {2, 1}, "NotTheSame"},
                      RefusalCase{"NoPathWithTwoTurns", {"AB", "BA"}, {1, 1}, {2, 2}, "Reset"}),
    [](const auto& info) { return std::string(info.param.name); });

struct LinkCase {
    const char* name;
    std::vector<std::string> rows;
    TCell first, second;
    int points;
};

void PrintTo(const LinkCase& t, std::ostream* os) {
    *os << t.name;
}

class RemovalTest : public GameTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(RemovalTest, ShowsThePathThenClearsBothCellsAndGivesTimeBack) {
    const LinkCase& t = GetParam();
    LoadBoard(t.rows);
    state.TimeLeft = 50;
    Click(t.first);
    window.Forget();
    Click(t.second);
    const std::string n = std::to_string(t.points);
    const auto cell = [](TCell c) { return std::to_string(c.X) + " " + std::to_string(c.Y); };
    const std::vector<std::string> expected{
        "DrawMarkedCell " + cell(t.second),
        "PlayCue Delete",
        "DrawLinkPath " + n + " show",
        "Wait 200",
        "DrawLinkPath " + n + " erase",
        "DrawCellPicture " + cell(t.second) + " 0",
        "DrawCellPicture " + cell(t.first) + " 0",
        "DrawTimeBar 53",
        "MainPaintBoxPaint",
    };
    ASSERT_GE(window.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(window.calls.begin(), window.calls.begin() + 9), expected);
    EXPECT_EQ(At(t.first), 0);
    EXPECT_EQ(At(t.second), 0);
    EXPECT_TRUE(engine.StackIsEmpty());
    EXPECT_EQ(state.TimeLeft, 53);
    ExpectHintPairLinkable();
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RemovalTest,
    ::testing::Values(LinkCase{"Neighbours", {"AAC", "..C"}, {1, 1}, {2, 1}, 2},
                      LinkCase{"Straight", {"A.A", "CC."}, {3, 1}, {1, 1}, 2},
                      LinkCase{"OneCorner", {"A.C", ".AC"}, {1, 1}, {2, 2}, 3},
                      LinkCase{"TwoCorners", {"ABA", "B.."}, {1, 1}, {3, 1}, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TileClickTest, TimeGivenBackNeverGoesAboveTheFullBar) {
    for (auto [start, after] :
         std::vector<std::pair<int, int>>{{97, 100}, {98, 100}, {99, 100}, {100, 100}}) {
        LoadBoard({"AABB"});
        state.TimeLeft = start;
        Click({1, 1});
        window.Forget();
        Click({2, 1});
        EXPECT_EQ(state.TimeLeft, after) << "from " << start;
        EXPECT_TRUE(window.Called("DrawTimeBar " + std::to_string(after))) << "from " << start;
    }
}

struct ShiftCase {
    uint8_t level;
    std::vector<std::string> after;
};

class ShiftAfterRemovalTest : public GameTest, public ::testing::WithParamInterface<ShiftCase> {};

// The pair AA goes; the rest moves by the level's mode, as worked out from its steps.
TEST_P(ShiftAfterRemovalTest, RemainingTilesMoveByTheLevelsMode) {
    LoadBoard({"CD..", ".AA.", "..DC", ".B.B"});
    state.Level = GetParam().level;
    Click({2, 2});
    Click({3, 2});
    EXPECT_EQ(Rows(), GetParam().after);
    EXPECT_EQ(state.Lives, 2) << "a move is left, so nothing is rearranged";
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, ShiftAfterRemovalTest,
                         ::testing::Values(ShiftCase{0, {"CD..", "....", "..DC", ".B.B"}},
                                           ShiftCase{1, {"....", "....", ".D.C", "CBDB"}},
                                           ShiftCase{2, {"CD..", "....", "DC..", "BB.."}},
                                           ShiftCase{3, {"CD..", "....", "...C", ".BDB"}},
                                           ShiftCase{4, {"CD..", "....", "..DC", "B..B"}},
                                           ShiftCase{5, {"....", "CD..", ".BDC", "...B"}},
                                           ShiftCase{6, {"CD..", "....", "..DC", ".BB."}},
                                           ShiftCase{7, {"CD..", "....", "..DC", "..BB"}},
                                           ShiftCase{8, {"..DC", "...B", "C...", "BD.."}},
                                           ShiftCase{9, {"CD..", "....", "...C", "B.DB"}},
                                           ShiftCase{10, {"....", "CD..", ".BDC", "..B."}}),
                         [](const auto& info) {
                             return "Level" + std::to_string(info.param.level);
                         });

TEST_F(TileClickTest, ClearingALevelCongratulatesAndStartsTheNextWithMoreLivesAndHints) {
    LoadBoard({"AA"});
    state.Level = 0;
    state.Lives = 1;
    state.Hints = 2;
    state.TimeLeft = 40;
    Click({1, 1});
    Click({2, 1});
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "恭喜您，过关了，并即将进入下一关!");
    EXPECT_EQ(window.messages[0].caption, "信息");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::None);
    // The clock stops before the box, so it cannot run out behind it.
    EXPECT_LT(window.IndexOf("SetTimerEnabled TimerGameDelay off"),
              window.IndexOf("MessageBox 恭喜您，过关了，并即将进入下一关!"));
    EXPECT_EQ(state.Level, 1);
    EXPECT_EQ(state.Lives, 3);
    EXPECT_EQ(state.Hints, 5);
    EXPECT_EQ(state.TimeLeft, 100);
    EXPECT_TRUE(state.Playing);
    EXPECT_EQ(Occupied().size(), 2u);
    EXPECT_TRUE(window.Running(TimerId::TimerGameDelay));
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint");
}

TEST_F(TileClickTest, DuringAutomaticPlayALevelEndsWithoutAMessage) {
    LoadBoard({"AA"});
    state.AutoPlayRunning = true;
    Click({1, 1});
    Click({2, 1});
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(state.Level, 1);
}

TEST_F(TileClickTest, ClearingTheLastLevelWinsAndStartsAFreshGame) {
    LoadBoard({"AA"});
    state.AutoPlayRunning = true;  // the win is announced even so
    state.Difficulty = 1;
    state.Level = 10;
    state.Lives = 9;
    state.Hints = 9;
    Click({1, 1});
    Click({2, 1});
    EXPECT_LT(window.IndexOf("PlayCue GameWin"), window.IndexOf("MessageBox 恭喜您，通关了!"));
    EXPECT_LT(window.IndexOf("MessageBox 恭喜您，通关了!"), window.IndexOf("DestroyStartScreen"))
        << "the new game comes after the box";
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(state.Level, 0);
    EXPECT_EQ(state.Lives, 3);
    EXPECT_EQ(state.Hints, 6);
    EXPECT_EQ(engine.ColCount(), 14);
    EXPECT_EQ(Occupied().size(), 84u);
    EXPECT_TRUE(state.Playing);
}

// After the C pair goes, the A and B pairs sit crosswise and neither can be linked.
const std::vector<std::string> kDeadAfterC{"ABC", "BAC"};

TEST_F(TileClickTest, NoMoveLeftSpendsALifeOnARearrangement) {
    LoadBoard(kDeadAfterC);
    state.Lives = 1;
    Click({3, 1});
    Click({3, 2});
    EXPECT_TRUE(state.Playing);
    EXPECT_EQ(state.Lives, 0);
    EXPECT_EQ(window.cues.back(), "REARRANGE");
    EXPECT_EQ(Occupied(), (std::vector<TCell>{{1, 1}, {1, 2}, {2, 1}, {2, 2}}));
    ExpectHintPairLinkable();
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(TileClickTest, NoMoveAndNoLifeEndsTheGame) {
    LoadBoard(kDeadAfterC);
    part<Flow>().SetPlayMenuState();
    state.Lives = 0;
    Click({3, 1});
    Click({3, 2});
    EXPECT_FALSE(state.Playing);
    EXPECT_EQ(state.Lives, 0);
    EXPECT_EQ(state.HintPair[0], TCell{});
    EXPECT_EQ(state.HintPair[1], TCell{});
    EXPECT_FALSE(window.Running(TimerId::TimerGameDelay));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "游戏结束!");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Information);
    // After the redraw of the shifted board, the game ends and the start screen is back
    // before the cue and the box.
    ASSERT_GE(window.calls.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(window.calls.end() - 5, window.calls.end()),
              (std::vector<std::string>{"MainPaintBoxPaint", "SetTimerEnabled TimerGameDelay off",
                                        "MainPaintBoxPaint", "PlayCue GameOver",
                                        "MessageBox 游戏结束!"}));
    EXPECT_FALSE(painted.back().playing);
    // The menus stay as in play; Esc puts them idle.
    EXPECT_FALSE(window.Enabled(MenuItemId::MenuGameLow));
    game.Key(vk::Escape);
    EXPECT_TRUE(window.Enabled(MenuItemId::MenuGameLow));
    EXPECT_FALSE(window.Enabled(MenuItemId::MenuGameAbandon));
}

TEST_F(TileClickTest, APendingTileIsJudgedByWhatLiesThereNow) {
    LoadBoard({"AB", "AB"});
    Click({1, 1});
    EngineTestAccess::Board(engine)[1][1] = 2;  // as a rearrangement might leave it
    window.Forget();
    Click({1, 2});
    EXPECT_EQ(window.cues, std::vector<std::string>{"NotTheSame"});
    EXPECT_TRUE(engine.StackIsEmpty());
}

}  // namespace
}  // namespace tessaly::test

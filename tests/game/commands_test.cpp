// Shift modes, the leaderboard, leaving, the sound switch, the two choice dialogs and the about
// box.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace tessaly::test {
namespace {

using ShiftModeTest = GameTest;
using CommandTest = GameTest;

TEST_F(ShiftModeTest, EachModeSetsTheLevelAndMovesTheTilesAtOnce) {
    const std::vector<std::string> rows{"A..B", ".C..", "..C.", "B..A"};
    for (uint8_t mode = 0; mode <= 10; ++mode) {
        LoadBoard(rows);
        Engine expected = engine;
        expected.ShiftBoard(mode);
        window.Forget();
        part<Commands>().ShiftModeClick(mode);
        EXPECT_EQ(state.Level, mode);
        EXPECT_EQ(engine.Board(), expected.Board()) << "mode " << int{mode};
        EXPECT_EQ(window.calls, std::vector<std::string>{"MainPaintBoxPaint"});
    }
}

TEST_F(ShiftModeTest, LeavesHintSelectionTimeAndCountersAlone) {
    LoadBoard({"A..B", ".C..", "..C.", "B..A"});
    state.HintPair[0] = {2, 2};
    state.HintPair[1] = {3, 3};
    state.TimeLeft = 42;
    state.Lives = 1;
    state.Hints = 1;
    Click({2, 2});  // a tile the shift leaves where it is
    ASSERT_TRUE(game.Command("MenuUpDownLeftRightCollect"));
    EXPECT_EQ(state.Level, 10);
    EXPECT_EQ(state.HintPair[0], (TCell{2, 2}));
    EXPECT_EQ(state.HintPair[1], (TCell{3, 3}));
    EXPECT_EQ(engine.PeekCell(), (TCell{2, 2}));
    EXPECT_EQ(state.TimeLeft, 42);
    EXPECT_EQ(state.Lives, 1);
    EXPECT_EQ(state.Hints, 1);
}

TEST_F(ShiftModeTest, ASelectionWhoseCellTheShiftEmptiesIsRejectedByTheNextClick) {
    LoadBoard({"A..B", ".C..", "..C.", "B..A"});
    Click({1, 1});
    ASSERT_TRUE(game.Command("MenuUpDownLeftRightCollect"));
    ASSERT_EQ(At({1, 1}), 0);
    EXPECT_EQ(engine.PeekCell(), (TCell{1, 1}));
    // The next click is matched against the gap and clears it; the one after selects afresh.
    const std::vector<TCell> tiles = Occupied();
    const std::vector<std::string> board = Rows();
    window.Forget();
    Click(tiles.front());
    EXPECT_EQ(window.cues, std::vector<std::string>{"NotTheSame"});
    EXPECT_TRUE(engine.StackIsEmpty());
    EXPECT_EQ(Rows(), board);
    window.Forget();
    Click(tiles.front());
    EXPECT_EQ(window.cues, std::vector<std::string>{"Select"});
    EXPECT_EQ(engine.PeekCell(), tiles.front());
}

TEST_F(ShiftModeTest, GatheringInwardMakesTheCurrentLevelTheLast) {
    LoadBoard({"A..", "...", "..A"});
    state.Level = 2;
    ASSERT_TRUE(game.Command("MenuUpDownLeftRightCollect"));
    ASSERT_EQ(state.Level, 10);
    TCell p;
    TCell q;
    ASSERT_TRUE(engine.FindLinkablePair(p, q));
    Click(p);
    Click(q);
    EXPECT_EQ(window.cues.back(), "GameWin");
    EXPECT_EQ(state.Level, 0);
}

TEST_F(ShiftModeTest, BeforeAnyGameThereIsNothingToMove) {
    ASSERT_TRUE(game.Command("MenuUpDownLeftRightCollect"));
    EXPECT_EQ(state.Level, 10);
    EXPECT_TRUE(engine.Board().empty());
}

TEST_F(ShiftModeTest, NamedHandlersPickTheirModes) {
    using Handler = void (Commands::*)();
    const Handler handlers[] = {
        &Commands::MenuNoChangeClick,
        &Commands::MenuToDownClick,
        &Commands::MenuToLeftClick,
        &Commands::MenuUpDownSeperateClick,
        &Commands::MenuLeftRightSeperateClick,
        &Commands::MenuUpDownCollectClick,
        &Commands::MenuLeftRightCollectClick,
        &Commands::MenuLeftUpRightDownClick,
        &Commands::MenuLeftDownRightUpClick,
        &Commands::MenuUpDownLeftRightSeperateClick,
        &Commands::MenuUpDownLeftRightCollectClick,
    };
    LoadBoard({"AB", "BA"});
    for (int mode = 10; mode >= 0; --mode) {
        (part<Commands>().*handlers[mode])();
        EXPECT_EQ(state.Level, mode);
    }
    part<Commands>().ShiftModeClick(11);  // no such mode: the level must stay a real one
    EXPECT_EQ(state.Level, 0);
}

TEST_F(CommandTest, LeaderboardSaysItIsMissingWhetherOrNotAGameRuns) {
    ASSERT_TRUE(game.Command("MenuTop"));
    game.Key(vk::F1);
    ASSERT_TRUE(game.Command("MenuTop"));
    ASSERT_EQ(window.messages.size(), 2u);
    for (const ShownMessage& m : window.messages) {
        EXPECT_EQ(m.text, "此功能暂时没有加入.");
        EXPECT_EQ(m.caption, "信息");
        EXPECT_EQ(m.icon, MessageIcon::Information);
    }
    EXPECT_TRUE(state.Playing);
}

TEST_F(CommandTest, ExitClosesTheWindowWithoutAQuestion) {
    game.Key(vk::F1);
    window.Forget();
    ASSERT_TRUE(game.Command("MenuGameExit"));
    EXPECT_EQ(window.calls, std::vector<std::string>{"CloseWindow"});
}

TEST_F(CommandTest, OnlyTheMenuTablesOwnItemsRun) {
    const MenuEntry copy = EntryOf(MenuItemId::MenuGameLow);  // its handler, not its item
    EXPECT_FALSE(game.Command(copy));
    EXPECT_FALSE(game.Command("MenuGameLowest"));
    EXPECT_FALSE(game.Command("MenuGame"));  // a submenu
    EXPECT_FALSE(state.Playing);
}

TEST_F(CommandTest, SoundSwitchSilencesEveryCueOfPlay) {
    game.Command(MenuItemId::MenuOptionSound);
    EXPECT_FALSE(state.SoundOn);
    LoadBoard({"AB", "BA", "CC"});
    state.Lives = 1;
    Click({1, 1});  // select
    Click({2, 1});  // other kind
    Click({1, 1});
    Click({2, 2});  // same kind, no path
    Click({1, 3});
    Click({2, 3});  // removal, then the crosswise rest is rearranged
    EXPECT_EQ(state.Lives, 0);
    EXPECT_TRUE(window.cues.empty());

    game.Command(MenuItemId::MenuOptionSound);
    EXPECT_TRUE(state.SoundOn);
    Click({1, 1});
    EXPECT_EQ(window.cues, std::vector<std::string>{"Select"});
}

struct AnswerCase {
    std::optional<std::string> answer;
    int32_t number;  // what the setting holds afterwards
    bool redrawn;
    const char* error;  // empty: none
};

void PrintTo(const AnswerCase& t, std::ostream* os) {
    *os << (t.answer ? "\"" + *t.answer + "\"" : std::string("cancel"));
}

class PictureSetDialogTest : public GameTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(PictureSetDialogTest, TakesOnlyNumbersInRange) {
    const AnswerCase& t = GetParam();
    LoadBoard({"AA"});
    state.Presentation.PictureSetNumber = 4;
    state.Presentation.PictureSetFolder = "/pic4/";
    window.inputAnswers.push_back(t.answer);
    game.Command(MenuItemId::MenuOptionBitmap);
    EXPECT_EQ(window.calls.front(), "InputBox 输入 请输入图案编号(1 - 25):  4");
    EXPECT_EQ(state.Presentation.PictureSetNumber, t.number);
    EXPECT_EQ(state.Presentation.PictureSetFolder, "/pic" + std::to_string(t.number) + "/");
    EXPECT_EQ(window.Called("MainPaintBoxPaint"), t.redrawn);
    EXPECT_EQ(window.errors, std::string(t.error).empty() ? std::vector<std::string>{}
                                                          : std::vector<std::string>{t.error});
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PictureSetDialogTest,
    ::testing::Values(AnswerCase{"7", 7, true, ""}, AnswerCase{"25", 25, true, ""},
                      AnswerCase{"1", 1, true, ""}, AnswerCase{" 12 ", 12, true, ""},
                      AnswerCase{"+3", 3, true, ""}, AnswerCase{"0", 4, true, ""},
                      AnswerCase{"26", 4, true, ""}, AnswerCase{"-3", 4, true, ""},
                      AnswerCase{std::nullopt, 4, true, ""},
                      AnswerCase{"abc", 4, false, "''abc'' is not a valid integer value"},
                      AnswerCase{"", 4, false, "'''' is not a valid integer value"},
                      AnswerCase{"7x", 4, false, "''7x'' is not a valid integer value"},
                      AnswerCase{"99999999999", 4, false,
                                 "''99999999999'' is not a valid integer value"}));

TEST_F(CommandTest, ChoiceDialogsDoNothingWithoutAGame) {
    window.inputAnswers.push_back("3");
    game.Command(MenuItemId::MenuOptionBitmap);
    game.Command(MenuItemId::MenuOptionBackGround);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(CommandTest, BackgroundChoiceSetsNumberColourAndPanel) {
    LoadBoard({"AA"});
    window.inputAnswers.push_back("12");
    game.Command(MenuItemId::MenuOptionBackGround);
    EXPECT_EQ(window.calls.front(), "InputBox 输入 请输入背景颜色编号(1 - 15):  1");
    EXPECT_EQ(state.Presentation.BackgroundNumber, 12);
    EXPECT_EQ(state.Presentation.BackgroundColor, IndexToColor(12));
    EXPECT_EQ(window.calls[1], "SetPanelColor " + std::to_string(IndexToColor(12)));
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint");

    window.Forget();
    window.inputAnswers.push_back("16");
    game.Command(MenuItemId::MenuOptionBackGround);
    EXPECT_EQ(state.Presentation.BackgroundNumber, 12);
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint");
}

TEST_F(CommandTest, TheChoicesSurviveANewGame) {
    LoadBoard({"AA"});
    window.inputAnswers.push_back("9");
    game.Command(MenuItemId::MenuOptionBitmap);
    window.inputAnswers.push_back("3");
    game.Command(MenuItemId::MenuOptionBackGround);
    game.Key(vk::F3);
    EXPECT_EQ(state.Presentation.PictureSetNumber, 9);
    EXPECT_EQ(state.Presentation.BackgroundNumber, 3);
}

TEST_F(CommandTest, AboutBoxHasThreeLines) {
    ASSERT_TRUE(game.Command("MenuGameAbout"));
    ASSERT_EQ(window.messages.size(), 1u);
    const ShownMessage& m = window.messages[0];
    EXPECT_EQ(m.caption, "关于");
    EXPECT_EQ(m.icon, MessageIcon::None);
    EXPECT_EQ(m.text.rfind("名  称 - Tessaly\r\n开发者 - ", 0), 0u);
    const std::string tail = "\r\n版  本 - V2012\r\n";
    ASSERT_GT(m.text.size(), tail.size());
    EXPECT_EQ(m.text.substr(m.text.size() - tail.size()), tail);
}

}  // namespace
}  // namespace tessaly::test

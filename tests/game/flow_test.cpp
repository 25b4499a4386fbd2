// Start-up, new games at each grade, new levels, the end of a game and the keys.
#include <ostream>
#include <string>
#include <vector>

#include "game/difficulty_table.h"
#include "tests/game/game_fixture.h"

namespace tessaly::test {
namespace {

void ExpectPlayMenuState(const RecordingWindow& window) {
    for (MenuItemId item : GameItems) EXPECT_TRUE(window.Enabled(item)) << MenuItemName(item);
    for (MenuItemId item : DifficultyItems)
        EXPECT_FALSE(window.Enabled(item)) << MenuItemName(item);
}

using FlowTest = GameTest;

TEST_F(FlowTest, StartsIdleWithTheStartingValues) {
    game.FormCreate();
    EXPECT_FALSE(state.Playing);
    EXPECT_EQ(state.Difficulty, 0);
    EXPECT_EQ(state.Level, 0);
    EXPECT_EQ(state.Lives, 2);
    EXPECT_EQ(state.Hints, 4);
    EXPECT_EQ(state.TimeLeft, 100);
    EXPECT_EQ(state.HintPair[0], TCell{});
    EXPECT_EQ(state.HintPair[1], TCell{});
    EXPECT_EQ(state.Presentation.PictureSetNumber, 1);
    EXPECT_EQ(state.Presentation.BackgroundNumber, 1);
    EXPECT_EQ(state.Presentation.BackgroundColor, 0u);
    // The window draws the start screen itself; the game only seeds its generator.
    EXPECT_TRUE(window.calls.empty());
    EXPECT_NE(EngineTestAccess::Seed(engine), 0u);
}

struct GradeCase {
    int32_t key;
    uint8_t difficulty;
    int32_t cols, rows, kinds, lives, hints;
    MenuItemId item;
};

void PrintTo(const GradeCase& g, std::ostream* os) {
    *os << "grade " << int{g.difficulty};
}

class DifficultyKeyTest : public GameTest, public ::testing::WithParamInterface<GradeCase> {};

TEST_P(DifficultyKeyTest, StartsAFreshGameOfTheGrade) {
    const GradeCase g = GetParam();
    // Leftovers of an earlier game must not survive, a selected tile least of all.
    LoadBoard({"AA"});
    Click({1, 1});
    state.Level = 7;
    state.Lives = 0;
    state.Hints = 0;
    state.TimeLeft = 3;

    game.Key(g.key);

    EXPECT_TRUE(state.Playing);
    EXPECT_EQ(state.Difficulty, g.difficulty);
    EXPECT_EQ(engine.ColCount(), g.cols);
    EXPECT_EQ(engine.RowCount(), g.rows);
    EXPECT_EQ(engine.KindCount(), g.kinds);
    EXPECT_EQ(state.Lives, g.lives);
    EXPECT_EQ(state.Hints, g.hints);
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(painted.back().level, 0) << "the redraw shows the new game";
    EXPECT_EQ(painted.back().timeLeft, 100);
    EXPECT_EQ(Occupied().size(), static_cast<size_t>((g.cols - 2) * (g.rows - 2)));
    for (const auto& [kind, count] : KindCounts()) {
        EXPECT_GE(kind, 1);
        EXPECT_LE(kind, g.kinds);
        EXPECT_EQ(count % 2, 0) << "kind " << kind;
    }
    ExpectHintPairLinkable();
    EXPECT_TRUE(engine.StackIsEmpty());
    ExpectPlayMenuState(window);
    for (MenuItemId item : DifficultyItems)
        EXPECT_EQ(window.Checked(item), item == g.item) << MenuItemName(item);
    EXPECT_TRUE(window.Running(TimerId::TimerGameDelay));
    EXPECT_TRUE(window.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    AllGrades, DifficultyKeyTest,
    ::testing::Values(GradeCase{vk::F1, 0, 12, 8, 25, 2, 4, MenuItemId::MenuGameLow},
                      GradeCase{vk::F2, 1, 14, 9, 30, 3, 6, MenuItemId::MenuGameMedium},
                      GradeCase{vk::F3, 2, 16, 10, 35, 4, 8, MenuItemId::MenuGameHigh},
                      GradeCase{vk::F4, 3, 18, 11, 45, 5, 10, MenuItemId::MenuGameSpecial}));

TEST_F(FlowTest, DifficultyKeyDuringAGameDiscardsItWithoutAQuestion) {
    game.Key(vk::F1);
    state.Level = 3;
    state.Lives = 1;
    state.Hints = 0;
    game.Key(vk::F2);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(state.Difficulty, 1);
    EXPECT_EQ(state.Level, 0);
    EXPECT_EQ(state.Lives, 3);
    EXPECT_EQ(state.Hints, 6);
    EXPECT_EQ(engine.ColCount(), 14);
    EXPECT_EQ(engine.RowCount(), 9);
    EXPECT_TRUE(window.Checked(MenuItemId::MenuGameMedium));
    EXPECT_FALSE(window.Checked(MenuItemId::MenuGameLow));
}

TEST_F(FlowTest, NewGameShowsItsEffectsInOrder) {
    game.Command(MenuItemId::MenuGameHigh);
    const auto& calls = window.calls;
    // The four radio marks come first, the chosen one checked.
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0], "SetMenuChecked MenuGameLow off");
    EXPECT_EQ(calls[1], "SetMenuChecked MenuGameMedium off");
    EXPECT_EQ(calls[2], "SetMenuChecked MenuGameHigh on");
    EXPECT_EQ(calls[3], "SetMenuChecked MenuGameSpecial off");
    // The board is uncovered before the menus switch, in the table's order.
    ASSERT_GE(calls.size(), 17u);
    EXPECT_EQ(calls[4], "DestroyStartScreen");
    std::vector<std::string> menus(calls.begin() + 5, calls.begin() + 17);
    EXPECT_EQ(menus, (std::vector<std::string>{
                         "SetMenuEnabled MenuGameAbandon on",
                         "SetMenuEnabled MenuOptionGetHint on",
                         "SetMenuEnabled MenuOptionRearrange on",
                         "SetMenuEnabled MenuOptionBackGround on",
                         "SetMenuEnabled MenuOptionSound on",
                         "SetMenuEnabled MenuOptionBitmap on",
                         "SetMenuEnabled MenuChange on",
                         "SetMenuEnabled MenuAutoPlay on",
                         "SetMenuEnabled MenuGameLow off",
                         "SetMenuEnabled MenuGameMedium off",
                         "SetMenuEnabled MenuGameHigh off",
                         "SetMenuEnabled MenuGameSpecial off",
                     }));
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 17, calls.end()),
              (std::vector<std::string>{"FormResize", "SetTimerEnabled TimerGameDelay on",
                                        "MainPaintBoxPaint"}));
}

TEST_F(FlowTest, NewGameLeavesAutoPlayAndTheShiftModeMarkAlone) {
    game.Key(vk::F1);
    game.Command(MenuItemId::MenuAutoPlay);
    window.Forget();
    game.Key(vk::F4);
    EXPECT_TRUE(window.Running(TimerId::TimerAutoPlay));
    EXPECT_TRUE(state.AutoPlayMarked);
    EXPECT_TRUE(window.Checked("MenuNoChange"));
    for (const std::string& call : window.calls) {
        EXPECT_EQ(call.find("SetMenuChecked MenuAutoPlay"), std::string::npos) << call;
        EXPECT_EQ(call.find("SetMenuChecked MenuNoChange"), std::string::npos) << call;
        EXPECT_EQ(call.find("TimerAutoPlay"), std::string::npos) << call;
    }
}

TEST_F(FlowTest, StartLevelKeepsTheCountersAndTheMarks) {
    game.Key(vk::F3);
    state.Level = 4;
    state.Lives = 7;
    state.Hints = 9;
    state.TimeLeft = 12;
    Click(state.HintPair[0]);
    window.Forget();

    part<Flow>().StartLevel();

    EXPECT_TRUE(engine.StackIsEmpty());
    EXPECT_EQ(state.Level, 4);
    EXPECT_EQ(state.Lives, 7);
    EXPECT_EQ(state.Hints, 9);
    EXPECT_EQ(painted.back().timeLeft, 100) << "the redraw shows the full bar";
    EXPECT_EQ(Occupied().size(), 14u * 8u);
    ExpectHintPairLinkable();
    ExpectPlayMenuState(window);
    for (const std::string& call : window.calls)
        EXPECT_EQ(call.rfind("SetMenuChecked", 0), std::string::npos) << call;
    EXPECT_LT(window.IndexOf("DestroyStartScreen"), window.IndexOf("FormResize"));
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint");
    EXPECT_TRUE(window.Running(TimerId::TimerGameDelay));
}

TEST_F(FlowTest, EndGameStopsTheClockButLeavesMenusAndCounters) {
    game.Key(vk::F2);
    state.Lives = 1;
    state.Hints = 2;
    state.Level = 5;
    const TMyArray board = engine.Board();
    window.Forget();

    part<Flow>().EndGame();

    EXPECT_FALSE(state.Playing);
    EXPECT_FALSE(window.Running(TimerId::TimerGameDelay));
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint");
    EXPECT_FALSE(painted.back().playing) << "the redraw must show the start screen";
    ExpectPlayMenuState(window);
    EXPECT_EQ(state.Lives, 1);
    EXPECT_EQ(state.Hints, 2);
    EXPECT_EQ(state.Level, 5);
    EXPECT_EQ(engine.Board(), board);
    // The hint does nothing now; a difficulty key starts again.
    game.Key(vk::F5);
    EXPECT_EQ(state.Hints, 2);
    game.Key(vk::F1);
    EXPECT_TRUE(state.Playing);
}

TEST_F(FlowTest, KeysReachTheirCommandsAndOthersAreIgnored) {
    for (int32_t key : {0x00, 0x0D, 0x20, 0x41, 0x6F, 0x78, 0x7B, 0xFF, -1}) game.Key(key);
    EXPECT_TRUE(window.calls.empty());

    game.Key(vk::F8);
    EXPECT_EQ(window.calls, std::vector<std::string>{"Minimize"});

    window.Forget();
    game.Key(vk::Escape);
    EXPECT_TRUE(window.Enabled(MenuItemId::MenuGameLow));
    EXPECT_FALSE(window.Enabled(MenuItemId::MenuGameAbandon));
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint");

    game.Key(vk::F1);
    game.Key(vk::F5);
    EXPECT_EQ(state.Hints, 3);
    game.Key(vk::F6);
    EXPECT_EQ(state.Lives, 1);
    game.Key(vk::F7);
    EXPECT_TRUE(window.Running(TimerId::TimerAutoPlay));
}

}  // namespace
}  // namespace tessaly::test

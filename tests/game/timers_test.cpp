// The countdown, automatic play, pausing by minimising, and abandoning.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/game_fixture.h"

namespace tessaly::test {
namespace {

using CountdownTest = GameTest;
using AutoPlayTest = GameTest;
using PauseTest = GameTest;
using AbandonTest = GameTest;

TEST_F(CountdownTest, TimeRunsOutAfterAHundredTicksWithoutACue) {
    game.Key(vk::F1);
    window.Forget();
    std::vector<std::string> bar;
    for (int tick = 1; tick < 100; ++tick) {
        game.Tick(TimerId::TimerGameDelay);
        bar.push_back("DrawTimeBar " + std::to_string(100 - tick));
    }
    EXPECT_EQ(state.TimeLeft, 1);
    EXPECT_TRUE(state.Playing);
    EXPECT_EQ(window.calls, bar) << "each tick draws the bar once, with the time it left";
    EXPECT_TRUE(window.messages.empty());

    game.Tick(TimerId::TimerGameDelay);

    EXPECT_EQ(state.TimeLeft, 0);
    EXPECT_FALSE(state.Playing);
    EXPECT_TRUE(window.cues.empty());
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, "游戏结束!");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Information);
    const size_t box = window.IndexOf("MessageBox 游戏结束!");
    EXPECT_LT(window.IndexOf("SetTimerEnabled TimerGameDelay off"), box);
    EXPECT_EQ(window.calls.back(), "MainPaintBoxPaint") << "the start screen follows the box";
    EXPECT_LT(box, window.calls.size() - 1);
    // The menus stay as they were during play; the counters keep their values.
    EXPECT_FALSE(window.Enabled(MenuItemId::MenuGameLow));
    EXPECT_EQ(state.Lives, 2);
}

TEST_F(CountdownTest, ALateTickNeverEndsTheGameTwice) {
    game.Key(vk::F1);
    state.TimeLeft = 1;
    int ticksInsideBox = 0;
    // Restoring the window while the box is open turns the countdown on again.
    window.whileMessageOpen = [&](const ShownMessage&) {
        if (ticksInsideBox++ > 0) return;
        game.Restore();
        game.Tick(TimerId::TimerGameDelay);
    };
    game.Tick(TimerId::TimerGameDelay);
    EXPECT_EQ(ticksInsideBox, 1);
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(state.TimeLeft, 0);
    EXPECT_FALSE(window.Running(TimerId::TimerGameDelay));

    window.Forget();
    window.whileMessageOpen = nullptr;
    game.Tick(TimerId::TimerGameDelay);  // a tick already queued when the game ended
    EXPECT_EQ(state.TimeLeft, 0);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(AutoPlayTest, F7TogglesOnlyDuringAGame) {
    game.Key(vk::F7);
    EXPECT_TRUE(window.calls.empty());

    game.Key(vk::F1);
    game.Key(vk::F7);
    EXPECT_TRUE(state.AutoPlayMarked);
    EXPECT_TRUE(window.Running(TimerId::TimerAutoPlay));
    game.Key(vk::F7);
    EXPECT_FALSE(state.AutoPlayMarked);
    EXPECT_FALSE(window.Running(TimerId::TimerAutoPlay));
}

TEST_F(AutoPlayTest, ATickClicksTheFirstLinkablePairWithPauses) {
    LoadBoard({"B.A", "CAB", "C.."});
    TCell p;
    TCell q;
    ASSERT_TRUE(engine.FindLinkablePair(p, q));
    game.Tick(TimerId::TimerAutoPlay);
    EXPECT_EQ(At(p), 0);
    EXPECT_EQ(At(q), 0);
    const size_t firstWait = window.IndexOf("Wait 200");
    EXPECT_EQ(window.calls[firstWait - 1],
              "DrawMarkedCell " + std::to_string(p.X) + " " + std::to_string(p.Y));
    EXPECT_EQ(window.calls.back(), "Wait 200");
    EXPECT_EQ(window.Count("Wait 200"), 3u);  // between the clicks, the path, after the pair
}

TEST_F(AutoPlayTest, PlaysThroughALevelWithoutAMessage) {
    LoadBoard({"AB", "AB"});
    game.Command(MenuItemId::MenuAutoPlay);
    game.Tick(TimerId::TimerAutoPlay);
    EXPECT_EQ(state.Level, 0);
    game.Tick(TimerId::TimerAutoPlay);
    EXPECT_EQ(state.Level, 1);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(state.Playing);
}

TEST_F(AutoPlayTest, AfterTheGameEndsTheTimerStopsButTheMarkStays) {
    game.Key(vk::F1);
    game.Key(vk::F7);
    game.Key(vk::Escape);
    game.Tick(TimerId::TimerAutoPlay);
    EXPECT_FALSE(window.Running(TimerId::TimerAutoPlay));
    EXPECT_FALSE(state.AutoPlayRunning);
    EXPECT_TRUE(state.AutoPlayMarked);

    // In the next game the first F7 only clears the mark, the second starts it again.
    game.Key(vk::F1);
    game.Key(vk::F7);
    EXPECT_FALSE(window.Running(TimerId::TimerAutoPlay));
    EXPECT_FALSE(state.AutoPlayMarked);
    game.Key(vk::F7);
    EXPECT_TRUE(window.Running(TimerId::TimerAutoPlay));
}

TEST_F(AutoPlayTest, NoClickFollowsOnceTheFirstClickHasEndedTheGame) {
    // The player's pending B completes a pair with the first automatic click; the crosswise
    // pairs left behind have no move and there is no life to spend. The second cell of the
    // pair the tick found still holds a tile.
    LoadBoard({"BAB.", ".BAB"});
    state.Lives = 0;
    Click({4, 2});
    window.Forget();
    TCell p;
    TCell q;
    ASSERT_TRUE(engine.FindLinkablePair(p, q));
    ASSERT_EQ(p, (TCell{1, 1}));
    ASSERT_EQ(q, (TCell{2, 2}));
    game.Tick(TimerId::TimerAutoPlay);
    EXPECT_FALSE(state.Playing);
    EXPECT_EQ(window.cues, (std::vector<std::string>{"Delete", "GameOver"}));
    EXPECT_TRUE(engine.StackIsEmpty());
}

TEST_F(AutoPlayTest, NothingToFindDoesNothing) {
    LoadBoard({"AB", "BA"});
    game.Tick(TimerId::TimerAutoPlay);
    EXPECT_TRUE(window.calls.empty());
}

TEST_F(PauseTest, MinimisingStopsTheClockAndRestoringStartsItAgain) {
    game.Key(vk::F1);
    game.Key(vk::F8);
    EXPECT_EQ(window.calls.back(), "Minimize");
    game.Minimize();
    EXPECT_FALSE(window.Running(TimerId::TimerGameDelay));
    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(window.title, "Tessaly - 暂停");
    game.Restore();
    EXPECT_TRUE(window.Running(TimerId::TimerGameDelay));
    EXPECT_EQ(window.beeps, 2);
    EXPECT_EQ(window.title, "Tessaly");
}

TEST_F(PauseTest, WhileIdleMinimisingOnlyMinimises) {
    game.Key(vk::F8);
    game.Minimize();
    game.Restore();
    EXPECT_EQ(window.calls, std::vector<std::string>{"Minimize"});
    EXPECT_EQ(window.beeps, 0);
}

TEST_F(AbandonTest, StopsTheGameSilentlyAndPutsTheMenusIdle) {
    game.Key(vk::F2);
    game.Key(vk::F7);
    window.Forget();
    game.Key(vk::Escape);
    EXPECT_FALSE(state.Playing);
    EXPECT_EQ(window.calls, (std::vector<std::string>{
                                "SetMenuEnabled MenuGameAbandon off",
                                "SetMenuEnabled MenuOptionGetHint off",
                                "SetMenuEnabled MenuOptionRearrange off",
                                "SetMenuEnabled MenuOptionBackGround off",
                                "SetMenuEnabled MenuOptionSound off",
                                "SetMenuEnabled MenuOptionBitmap off",
                                "SetMenuEnabled MenuChange off",
                                "SetMenuEnabled MenuAutoPlay off",
                                "SetMenuEnabled MenuGameLow on",
                                "SetMenuEnabled MenuGameMedium on",
                                "SetMenuEnabled MenuGameHigh on",
                                "SetMenuEnabled MenuGameSpecial on",
                                "SetTimerEnabled TimerGameDelay off",
                                "MainPaintBoxPaint",
                            }));
    EXPECT_TRUE(window.Running(TimerId::TimerAutoPlay)) << "its own next tick stops it";
}

// Automatic play through whole games, with every shift mode, checking after each tick what
// must always hold: an empty ring, every kind an even number of times, a stored move.
TEST_F(AutoPlayTest, WholeGamesKeepTheBoardConsistent) {
    int wins = 0;
    int losses = 0;
    window.whileMessageOpen = [&](const ShownMessage& m) {
        if (m.text == "恭喜您，通关了!") ++wins;
        if (m.text == "游戏结束!") ++losses;
    };
    int maxLevel = 0;
    for (uint8_t grade = 0; grade < 4; ++grade) {
        state.Difficulty = grade;
        part<Flow>().NewGame();
        game.Command(MenuItemId::MenuAutoPlay);
        for (int tick = 0; tick < 3000 && state.Playing && wins == 0; ++tick) {
            game.Tick(TimerId::TimerAutoPlay);
            maxLevel = std::max<int>(maxLevel, state.Level);
            ASSERT_EQ(RingTiles(engine), 0);
            for (const auto& [kind, count] : KindCounts()) ASSERT_EQ(count % 2, 0) << kind;
            ASSERT_GE(state.Lives, 0);
            if (state.Playing) {
                ASSERT_NO_FATAL_FAILURE(ExpectHintPairLinkable());
            }
        }
        // With enough lives for its rearrangements, automatic play wins every grade.
        EXPECT_EQ(wins, 1) << "grade " << int{grade};
        EXPECT_EQ(losses, 0) << "grade " << int{grade};
        if (state.Playing) game.Command(MenuItemId::MenuAutoPlay);
        wins = 0;
    }
    EXPECT_EQ(maxLevel, 10);
}

}  // namespace
}  // namespace tessaly::test

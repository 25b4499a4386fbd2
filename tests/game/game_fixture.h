// A game on a recording window, with its engine and state at hand; boards are laid out as the
// engine tests draw them.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "game/game.h"
#include "tests/engine/board_setup.h"
#include "tests/game/game_access.h"
#include "tests/game/recording_window.h"

namespace tessaly::test {

class GameTest : public ::testing::Test {
  protected:
    // A seed that changes at every re-seeding but is the same in every run.
    RecordingWindow window;
    Game game{window, [n = 1u]() mutable { return n++ * 2654435761u; }};
    Engine& engine = GameTestAccess::EngineOf(game);
    GameView& state = GameTestAccess::StateOf(game);
    template <class Part>
    Part& part() {
        return GameTestAccess::PartOf<Part>(game);
    }

    // The game as each full redraw found it: a redraw shows the counters, the level and the
    // time bar and, with Playing false, the start screen.
    struct Painted {
        bool playing;
        int32_t lives, hints, timeLeft, level;
    };
    std::vector<Painted> painted;

    GameTest() {
        window.view = &state;
        window.whilePainting = [this] {
            painted.push_back(
                {state.Playing, state.Lives, state.Hints, state.TimeLeft, state.Level});
        };
    }

    // Lays out a board drawn as DrawBoard takes it and puts the game in a running game at
    // grade 0 without touching the window.
    void LoadBoard(const std::vector<std::string>& rows) {
        DrawBoard(engine, std::vector<std::string_view>(rows.begin(), rows.end()));
        EngineTestAccess::KindCount(engine) = 26;
        engine.InitStack();
        state.Playing = true;
    }

    int32_t At(TCell c) const {
        return engine.Board()[static_cast<size_t>(c.X)][static_cast<size_t>(c.Y)];
    }

    std::vector<std::string> Rows() const { return BoardRows(engine); }

    void Click(TCell c) { game.MouseDown(ColToX(c.X), RowToY(c.Y)); }

    std::vector<TCell> Occupied() const {
        std::vector<TCell> cells;
        for (int32_t c = 1; c <= engine.ColCount() - 2; ++c)
            for (int32_t r = 1; r <= engine.RowCount() - 2; ++r)
                if (At({c, r}) != 0) cells.push_back({c, r});
        return cells;
    }

    std::map<int32_t, int> KindCounts() const {
        std::map<int32_t, int> counts;
        for (TCell c : Occupied()) ++counts[At(c)];
        return counts;
    }

    // The stored hint names two tiles of one kind that the link test accepts.
    void ExpectHintPairLinkable() {
        const TCell p = state.HintPair[0];
        const TCell q = state.HintPair[1];
        ASSERT_NE(p, TCell{});
        ASSERT_NE(q, TCell{});
        ASSERT_NE(p, q);
        EXPECT_NE(At(p), 0);
        EXPECT_EQ(At(p), At(q));
        EXPECT_TRUE(engine.CanLink(p, q));
    }
};

}  // namespace tessaly::test

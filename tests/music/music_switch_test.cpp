// The music switch and the watch that starts the next piece, under a recording window.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "game/game.h"
#include "tests/game/game_access.h"
#include "tests/game/recording_window.h"
#include "tests/music/fake_music_device.h"

namespace tessaly::test {
namespace {

const std::regex PiecePath(R"(\./resource/midi/music([1-9]|1[0-5])\.mid)");

class MusicSwitchTest : public ::testing::Test {
  protected:
    MusicSwitchTest() { game.SetMusicDevice(&music); }

    bool SwitchOn() const { return game.View().MusicOn; }
    bool Watching() const { return window.Running(TimerId::TimerGuard); }

    RecordingWindow window;
    Game game{window, [n = 7u]() mutable { return n++ * 2654435761u; }};
    Engine& engine = GameTestAccess::EngineOf(game);
    FakeMusicDevice music;
};

TEST_F(MusicSwitchTest, SwitchingOnAtTheStartScreenStopsTheCueThenOpensAndPlaysAPiece) {
    game.Command(MenuItemId::MenuOptionMusic);

    EXPECT_TRUE(SwitchOn());
    EXPECT_TRUE(Watching());
    EXPECT_FALSE(game.View().Playing);
    ASSERT_EQ(music.calls.size(), 2u);
    EXPECT_TRUE(std::regex_match(music.Opens().at(0), PiecePath)) << music.Opens().at(0);
    EXPECT_EQ(music.calls[1], "play");
    // The mark, then the watch, then the cue is silenced before the piece starts.
    const size_t mark = window.IndexOf("SetMenuChecked MenuOptionMusic on");
    const size_t timer = window.IndexOf("SetTimerEnabled TimerGuard on");
    const size_t cue = window.IndexOf("StopCue");
    EXPECT_LT(mark, timer);
    EXPECT_LT(timer, cue);
    EXPECT_LT(cue, window.calls.size());
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(MusicSwitchTest, SwitchingOffStopsThePieceAndTheWatchButKeepsItOpen) {
    game.Command(MenuItemId::MenuOptionMusic);
    game.Command(MenuItemId::MenuOptionMusic);

    EXPECT_FALSE(SwitchOn());
    EXPECT_FALSE(Watching());
    EXPECT_EQ(music.calls.back(), "stop");
    EXPECT_TRUE(music.IsOpen());
    EXPECT_EQ(window.Count("StopCue"), 1u);
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(MusicSwitchTest, OffThenOnOpensANewlyChosenPieceFromItsStart) {
    game.Command(MenuItemId::MenuOptionMusic);
    music.at = 400;
    game.Command(MenuItemId::MenuOptionMusic);
    const uint32_t seedBefore = EngineTestAccess::Seed(engine);
    game.Command(MenuItemId::MenuOptionMusic);

    ASSERT_EQ(music.Opens().size(), 2u);
    EXPECT_EQ(music.calls.back(), "play");
    EXPECT_EQ(music.Position(), 0);
    // The second piece was drawn afresh, not the stopped one taken up again.
    EXPECT_NE(EngineTestAccess::Seed(engine), seedBefore);
}

TEST_F(MusicSwitchTest, TheWatchStartsANewPieceOnceThePieceHasPlayedOut) {
    game.Command(MenuItemId::MenuOptionMusic);
    music.calls.clear();

    for (int64_t at : {0, 500, 999}) {
        music.at = at;
        game.Tick(TimerId::TimerGuard);
    }
    EXPECT_TRUE(music.calls.empty()) << "restarted before the end";

    music.at = 1000;
    game.Tick(TimerId::TimerGuard);
    ASSERT_EQ(music.calls.size(), 2u);
    EXPECT_TRUE(std::regex_match(music.Opens().at(0), PiecePath));
    EXPECT_EQ(music.calls[1], "play");

    // A position past the end counts as ended too.
    music.calls.clear();
    music.at = 1500;
    game.Tick(TimerId::TimerGuard);
    EXPECT_EQ(music.Opens().size(), 1u);
    EXPECT_TRUE(window.errors.empty());
}

TEST_F(MusicSwitchTest, AStoppedPieceIsNotStartedAgainByALateTick) {
    game.Command(MenuItemId::MenuOptionMusic);
    game.Command(MenuItemId::MenuOptionMusic);
    music.calls.clear();
    music.at = music.pieceLength;  // a stopped player may read as played out

    game.Tick(TimerId::TimerGuard);

    EXPECT_TRUE(music.calls.empty());
}

TEST_F(MusicSwitchTest, AFailedOpenIsShownOnceAndLeavesTheSwitchAndTheWatchOn) {
    music.failWith = "Cannot open ./resource/midi/music3.mid";
    game.Command(MenuItemId::MenuOptionMusic);

    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(window.errors[0], music.failWith);
    EXPECT_TRUE(SwitchOn());
    EXPECT_TRUE(Watching());
    EXPECT_FALSE(music.IsOpen());
    EXPECT_EQ(std::count(music.calls.begin(), music.calls.end(), "play"), 0);

    // The watch goes on ticking with nothing open: no box at every tick, no retry either.
    music.calls.clear();
    for (int tick = 0; tick < 30; ++tick) game.Tick(TimerId::TimerGuard);
    EXPECT_EQ(window.errors.size(), 1u);
    EXPECT_TRUE(music.calls.empty());
}

TEST_F(MusicSwitchTest, AFailedOpenByTheWatchIsShownOnceThenTheWatchWaits) {
    game.Command(MenuItemId::MenuOptionMusic);
    music.failWith = "No audio output";
    music.at = music.pieceLength;

    game.Tick(TimerId::TimerGuard);
    game.Tick(TimerId::TimerGuard);
    game.Tick(TimerId::TimerGuard);

    EXPECT_EQ(window.errors, std::vector<std::string>{"No audio output"});
    EXPECT_TRUE(SwitchOn());
    EXPECT_TRUE(Watching());
}

TEST_F(MusicSwitchTest, SwitchingOffWithNothingOpenReportsItAndStillSwitchesOff) {
    music.failWith = "bad file";
    game.Command(MenuItemId::MenuOptionMusic);
    window.Forget();

    game.Command(MenuItemId::MenuOptionMusic);

    EXPECT_EQ(window.errors, std::vector<std::string>{"No MCI device open"});
    EXPECT_FALSE(SwitchOn());
    EXPECT_FALSE(Watching());

    // Switching on again tries a new piece, which now opens.
    music.failWith.clear();
    game.Command(MenuItemId::MenuOptionMusic);
    EXPECT_TRUE(music.IsOpen());
    EXPECT_EQ(music.calls.back(), "play");
}

TEST_F(MusicSwitchTest, WithoutAPlayerSwitchingOnSaysSoAndNothingBreaks) {
    game.SetMusicDevice(nullptr);
    game.Command(MenuItemId::MenuOptionMusic);
    game.Tick(TimerId::TimerGuard);

    EXPECT_EQ(window.errors.size(), 1u);
    EXPECT_TRUE(SwitchOn());
}

TEST_F(MusicSwitchTest, PiecesAreDrawnFromTheEnginesGeneratorAndCoverOneToFifteen) {
    std::set<std::string> seen;
    for (int i = 0; i < 600; ++i) {
        Engine probe = engine;
        const std::string path = GameTestAccess::PartOf<Music>(game).RandomMusicFile();
        ASSERT_TRUE(std::regex_match(path, PiecePath)) << path;
        // The same draw the engine would have made itself.
        EXPECT_EQ(path,
                  "./resource/midi/music" + std::to_string(probe.DrawUniform(15) + 1) + ".mid");
        seen.insert(path);
    }
    EXPECT_EQ(seen.size(), 15u);
}

TEST_F(MusicSwitchTest, TheMusicGoesOnAcrossANewGame) {
    game.Command(MenuItemId::MenuOptionMusic);
    music.calls.clear();

    game.Command(MenuItemId::MenuGameLow);
    game.Command(MenuItemId::MenuGameAbandon);

    EXPECT_TRUE(SwitchOn());
    EXPECT_TRUE(Watching());
    EXPECT_TRUE(music.calls.empty());
}

}  // namespace
}  // namespace tessaly::test

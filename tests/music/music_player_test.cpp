// The FluidSynth player on a tiny tune written here, rendered offline: no sound device needed.
#include "ui/music_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace tessaly::testing {
namespace {

constexpr int SampleRate = 44100;  // FluidSynth's default
constexpr int TuneTicks = 192;     // two half-second notes at 96 ticks per quarter, 120 bpm

// A type-0 MIDI file: piano, two notes of one quarter each.
std::vector<uint8_t> TinyTune() {
    const std::vector<uint8_t> track = {
        0x00, 0xC0, 0x00,        // program: piano
        0x00, 0x90, 60,   100,   // note on C4
        0x60, 0x80, 60,   0,     // 96 ticks later: off
        0x00, 0x90, 64,   100,   // note on E4
        0x60, 0x80, 64,   0,     // off at tick 192
        0x00, 0xFF, 0x2F, 0x00,  // end of track
    };
    std::vector<uint8_t> file = {
        'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 0, 0,
        1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track.size())};
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

class MusicPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() /
            ("tessaly-music-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        tune = Write("tune.mid", TinyTune());
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }

    static MusicPlayerOptions Offline() {
        MusicPlayerOptions options;
        options.offline = true;
        return options;
    }

    std::filesystem::path dir;
    std::string tune;
};

TEST_F(MusicPlayerTest, APiecePlaysThroughToItsEndAsItIsRendered) {
    MusicPlayer player(Offline());
    ASSERT_EQ(player.open(tune), "");
    ASSERT_TRUE(player.isOpen());
    // Not yet loaded: it must not read as played out, or the watch would skip it at once.
    EXPECT_LT(player.position(), player.length());

    player.play();
    const float peak = player.renderOffline(SampleRate / 4);
    EXPECT_EQ(player.length(), TuneTicks);
    EXPECT_GT(player.position(), 0);
    EXPECT_LT(player.position(), player.length());
    EXPECT_GT(peak, 0.01f) << "the tune should be heard";
    EXPECT_LT(peak, 1.0f) << "the tune should not clip";

    // Past the last note it still rings out, and is done only when the player says so.
    player.renderOffline(SampleRate);
    EXPECT_LT(player.position(), player.length());
    for (int second = 0; second < 10 && player.position() < player.length(); ++second)
        player.renderOffline(SampleRate);
    EXPECT_EQ(player.position(), player.length());
}

TEST_F(MusicPlayerTest, StoppingSilencesThePieceAndOpeningAgainStartsFromTheTop) {
    MusicPlayer player(Offline());
    ASSERT_EQ(player.open(tune), "");
    player.play();
    player.renderOffline(SampleRate / 4);
    ASSERT_GT(player.position(), 0);

    player.stop();
    player.renderOffline(SampleRate / 10);  // what the reverb still holds
    EXPECT_LT(player.renderOffline(SampleRate / 10), 0.001f);
    EXPECT_TRUE(player.isOpen());

    ASSERT_EQ(player.open(tune), "");
    EXPECT_EQ(player.position(), 0);
    player.play();
    EXPECT_GT(player.renderOffline(SampleRate / 4), 0.01f);
}

TEST_F(MusicPlayerTest, FilesThatCannotBePlayedFailWithTheirNameAndLeaveNothingOpen) {
    MusicPlayer player(Offline());
    ASSERT_EQ(player.open(tune), "");

    const std::string missing = (dir / "music16.mid").string();
    const std::string garbage = Write("garbage.mid", {'R', 'I', 'F', 'F', 1, 2, 3});
    for (const std::string& path : {missing, garbage, dir.string()}) {
        SCOPED_TRACE(path);
        const std::string error = player.open(path);
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_FALSE(player.isOpen());
        EXPECT_EQ(player.position(), 0);
        EXPECT_EQ(player.length(), 0);
        player.play();
        player.stop();
    }
}

TEST_F(MusicPlayerTest, AMissingSoundFontIsNamedAndTheNextOpenTriesAgain) {
    MusicPlayerOptions options = Offline();
    options.soundFont = (dir / "none.sf2").string();
    MusicPlayer player(options);

    const std::string error = player.open(tune);
    EXPECT_NE(error.find(options.soundFont), std::string::npos) << error;
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.open(tune), error);
}

// Pieces change while the audio thread is stepping the player; a player must never be freed
// under it (run under the address sanitiser to see).
TEST_F(MusicPlayerTest, PiecesChangeSafelyWhileTheOutputRuns) {
    MusicPlayerOptions options;
    options.audioDrivers = {"file"};
    options.outputFile = (dir / "out.wav").string();
    MusicPlayer player(options);

    ASSERT_EQ(player.open(tune), "");
    player.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GT(player.position(), 0) << "the output should move the piece on";

    for (int change = 0; change < 3; ++change) {
        ASSERT_EQ(player.open(tune), "");
        player.play();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    player.stop();
    ASSERT_EQ(player.open(tune), "");
    player.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    player.close();
    EXPECT_FALSE(player.isOpen());
    EXPECT_GT(std::filesystem::file_size(options.outputFile), 44u);
}

TEST_F(MusicPlayerTest, NoSoundOutputIsOneClearFailureNotACrash) {
    MusicPlayerOptions options;
    options.audioDrivers = {"no-such-driver", "another-missing-driver"};
    MusicPlayer player(options);

    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string error = player.open(tune);
        EXPECT_EQ(error.rfind("Cannot play music: no sound output could be opened", 0), 0u)
            << error;
        EXPECT_FALSE(player.isOpen());
    }
    player.stop();
    player.close();
}

}  // namespace
}  // namespace tessaly::testing

// The FluidSynth player on a tiny tune written here, rendered offline: no sound device needed.
#include "ui/music_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/cues/capture_output.h"
#include "ui/midi_file.h"

namespace tessaly::test {
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
    ASSERT_EQ(player.Open(tune), "");
    ASSERT_TRUE(player.IsOpen());
    // Not yet loaded: it must not read as played out, or the watch would skip it at once.
    EXPECT_LT(player.Position(), player.Length());

    player.Play();
    const float peak = player.RenderOffline(SampleRate / 4);
    EXPECT_EQ(player.Length(), TuneTicks);
    EXPECT_GT(player.Position(), 0);
    EXPECT_LT(player.Position(), player.Length());
    EXPECT_GT(peak, 0.01f) << "the tune should be heard";
    EXPECT_LT(peak, 1.0f) << "the tune should not clip";
}

// The next piece follows soon after the last one is heard, and not before: the end is where the
// last event has passed and the sound has died away, not where the last voice has decayed.
TEST_F(MusicPlayerTest, APieceEndsSoonAfterItsLastAudibleSampleAndNeverBefore) {
    MusicPlayer player(Offline());
    ASSERT_EQ(player.Open(tune), "");
    player.Play();
    constexpr int Block = SampleRate / 100;
    constexpr float Audible = 0.001f;  // -60 dBFS
    int lastAudible = 0, endedAt = -1, block = 0;
    for (; block < 1000 && endedAt < 0; ++block) {
        if (player.RenderOffline(Block) > Audible) lastAudible = block;
        if (player.Position() >= player.Length()) endedAt = block;
    }
    ASSERT_GE(endedAt, 0) << "the piece never ended";
    EXPECT_GT(lastAudible * Block, SampleRate) << "the second note was cut";
    EXPECT_LE((endedAt - lastAudible) * Block, SampleRate / 5) << "long silence before the end";
    // Whatever rings on after the end is below hearing.
    EXPECT_LT(player.RenderOffline(2 * SampleRate), Audible);
}

TEST_F(MusicPlayerTest, StoppingSilencesThePieceAndOpeningAgainStartsFromTheTop) {
    MusicPlayer player(Offline());
    ASSERT_EQ(player.Open(tune), "");
    player.Play();
    player.RenderOffline(SampleRate / 4);
    ASSERT_GT(player.Position(), 0);

    player.Stop();
    // Not a reverb tail: the synthesiser is gone with the piece until the next open.
    EXPECT_EQ(player.RenderOffline(SampleRate / 10), 0.0f);
    EXPECT_TRUE(player.IsOpen());
    EXPECT_GE(player.Position(), player.Length()) << "a stopped piece reads as played out";

    ASSERT_EQ(player.Open(tune), "");
    EXPECT_EQ(player.Position(), 0);
    player.Play();
    EXPECT_GT(player.RenderOffline(SampleRate / 4), 0.01f);
}

TEST_F(MusicPlayerTest, FilesThatCannotBePlayedFailWithTheirNameAndLeaveNothingOpen) {
    MusicPlayer player(Offline());
    ASSERT_EQ(player.Open(tune), "");

    const std::vector<uint8_t> whole = TinyTune();
    auto cut = [&](std::size_t size) {
        return std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(size));
    };
    std::vector<uint8_t> garbageAfterHeader = cut(14);
    garbageAfterHeader.insert(garbageAfterHeader.end(), 40, 0x5A);
    std::vector<uint8_t> noEnd = whole;
    noEnd[21] = static_cast<uint8_t>(noEnd[21] - 4);  // the track stops before its end-of-track
    noEnd.resize(noEnd.size() - 4);
    std::vector<uint8_t> longTrack = whole;
    longTrack[21] = 0xFF;  // claims more than the file holds
    std::vector<uint8_t> twoTracks = whole;
    twoTracks[11] = 2;  // announces a track that is not there
    // The synthesiser takes these two and plays nothing.
    std::vector<uint8_t> smpte = whole;
    smpte[12] = 0xE7;  // 25 frames a second
    smpte[13] = 40;
    std::vector<uint8_t> manyTracks = cut(14);
    manyTracks[10] = 0;
    manyTracks[11] = 128;
    for (int t = 0; t < 128; ++t)
        manyTracks.insert(manyTracks.end(), whole.begin() + 14, whole.end());

    const std::vector<std::string> paths = {
        (dir / "music16.mid").string(),
        Write("garbage.mid", {'R', 'I', 'F', 'F', 1, 2, 3}),
        Write("truncated.mid", cut(whole.size() - 7)),
        Write("header-only.mid", cut(14)),
        Write("garbage-after-header.mid", garbageAfterHeader),
        Write("no-end-of-track.mid", noEnd),
        Write("long-track.mid", longTrack),
        Write("missing-track.mid", twoTracks),
        Write("smpte.mid", smpte),
        Write("128-tracks.mid", manyTracks),
        dir.string(),
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const std::string error = player.Open(path);
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_FALSE(player.IsOpen());
        EXPECT_EQ(player.Position(), 0);
        EXPECT_EQ(player.Length(), 0);
        player.Play();
        player.Stop();
    }
}

TEST_F(MusicPlayerTest, AMissingSoundFontIsNamedAndTheNextOpenTriesAgain) {
    MusicPlayerOptions options = Offline();
    options.soundFont = (dir / "none.sf2").string();
    MusicPlayer player(options);

    const std::string error = player.Open(tune);
    EXPECT_NE(error.find(options.soundFont), std::string::npos) << error;
    EXPECT_FALSE(player.IsOpen());
    EXPECT_EQ(player.Open(tune), error);
}

// Pieces change while the render thread is stepping the player; a player must never be freed
// under it (run under the address sanitiser to see).
TEST_F(MusicPlayerTest, PiecesChangeSafelyWhileTheOutputRuns) {
    auto log = std::make_shared<test::CaptureLog>();
    MusicPlayerOptions options;
    options.output = test::CaptureOutput::Factory(log);
    MusicPlayer player(options);
    auto heard = [&] {
        return log->WaitFor([](const auto& blocks) {
            return std::any_of(blocks.begin(), blocks.end(), [](const auto& b) {
                return std::any_of(b.samples.begin(), b.samples.end(),
                                   [](int16_t v) { return std::abs(v) > 300; });
            });
        });
    };

    ASSERT_EQ(player.Open(tune), "");
    player.Play();
    ASSERT_TRUE(heard()) << "the output should carry the piece";
    for (int change = 0; change < 3; ++change) {
        ASSERT_EQ(player.Open(tune), "");
        player.Play();
    }
    player.Stop();
    {
        std::lock_guard lock(log->mutex);
        log->blocks.clear();
    }
    ASSERT_EQ(player.Open(tune), "");
    player.Play();
    EXPECT_TRUE(heard()) << "music should sound again after a stop";
    // A refused piece leaves nothing to play: the output is given back then too.
    EXPECT_NE(player.Open((dir / "missing.mid").string()), "");
    ASSERT_EQ(player.Open(tune), "");
    EXPECT_TRUE(log->WaitForLog([](const CaptureLog& l) { return l.opens == 3; }))
        << "the output is given back while the music is off";
    player.Close();
    EXPECT_FALSE(player.IsOpen());
}

TEST_F(MusicPlayerTest, NoSoundOutputIsOneClearFailureNotACrash) {
    MusicPlayerOptions options;
    options.openDeadline = std::chrono::seconds(10);  // the refusal is immediate, however busy
    options.output = [](std::string& error) -> std::unique_ptr<AudioOutput> {
        error = "Connection refused";
        return nullptr;
    };
    MusicPlayer player(options);

    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::string error = player.Open(tune);
        EXPECT_EQ(error, "Cannot play music: no sound output could be opened (Connection refused)");
        EXPECT_FALSE(player.IsOpen());
    }
    player.Stop();
    player.Close();
}

// The reader on its own: variable-length numbers of up to four bytes, and the most tracks the
// synthesiser plays.
TEST(MidiFile, NumbersOfUpToFourBytesAndUpTo127TracksAreAccepted) {
    const auto file = [](std::vector<uint8_t> track, int tracks, bool closed = true) {
        if (closed) track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
        std::string bytes = std::string("MThd") + std::string("\0\0\0\6\0\1", 6) +
                            static_cast<char>(tracks >> 8) + static_cast<char>(tracks & 0xFF) +
                            std::string("\0\x60", 2);
        for (int t = 0; t < tracks; ++t) {
            bytes += "MTrk" + std::string(3, '\0') + static_cast<char>(track.size());
            bytes.append(track.begin(), track.end());
        }
        return bytes;
    };
    const struct {
        const char* name;
        std::string bytes;
        bool accepted;
    } rows[] = {
        {"a 4-byte delta", file({0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100}, 1), true},
        {"a 5-byte delta", file({0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100}, 1), false},
        {"a 4-byte meta length", file({0x00, 0xFF, 0x01, 0x80, 0x80, 0x80, 0x00}, 1), true},
        {"a delta running into the end", file({0x00, 0x90, 60, 100, 0x81, 0x81, 0x81}, 1, false),
         false},
        {"127 tracks", file({0x00, 0x90, 60, 100}, 127), true},
        {"128 tracks", file({0x00, 0x90, 60, 100}, 128), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CheckMidiFile(row.bytes).empty(), row.accepted) << CheckMidiFile(row.bytes);
    }
}

// A stalled server holds the render thread in an open or a write as long as it likes: switching
// the music on and off and leaving never wait for it.
TEST_F(MusicPlayerTest, SwitchingAndLeavingNeverWaitForAStalledServer) {
    for (const bool stalledInWrite : {false, true}) {
        SCOPED_TRACE(stalledInWrite ? "stalled in a write" : "stalled in the open");
        auto log = std::make_shared<CaptureLog>();
        MusicPlayerOptions options;
        options.output = CaptureOutput::Factory(log);
        auto player = std::make_unique<MusicPlayer>(options);
        if (stalledInWrite) {
            ASSERT_EQ(player->Open(tune), "");
            player->Play();
            ASSERT_TRUE(log->WaitFor([](const auto& blocks) { return !blocks.empty(); }));
        }
        log->Set([](CaptureLog& l) { l.stalled = true; });
        EXPECT_TRUE(ReturnsWhileStalled(*log, [&] {
            for (int toggle = 0; toggle < 2; ++toggle) {
                EXPECT_EQ(player->Open(tune), "");
                player->Play();
                player->Stop();
            }
            EXPECT_EQ(player->Open(tune), "");
        }));
        ASSERT_TRUE(log->WaitForLog([](const CaptureLog& l) { return l.waiting > 0; }));
        EXPECT_TRUE(ReturnsWhileStalled(*log, [&] { player.reset(); }));
        log->Set([](CaptureLog& l) { l.stalled = false; });
    }
}

// The server goes away under a playing piece and comes back: the piece it cut reads as ended,
// so the watch starts the next one, which is heard.
TEST_F(MusicPlayerTest, MusicComesBackWithTheNextPieceWhenTheServerReturns) {
    auto log = std::make_shared<CaptureLog>();
    MusicPlayerOptions options;
    options.output = CaptureOutput::Factory(log);
    MusicPlayer player(options);
    ASSERT_EQ(player.Open(tune), "");
    player.Play();
    ASSERT_TRUE(log->WaitFor([](const auto& blocks) { return !blocks.empty(); }));
    log->Set([](CaptureLog& l) { l.gone = true; });
    ASSERT_TRUE(log->WaitForLog([](const CaptureLog& l) { return l.failedWrites > 0; }));
    const std::size_t beforeReturn = log->Snapshot().size();
    log->Set([](CaptureLog& l) { l.gone = false; });
    ASSERT_TRUE(log->WaitFor([&](const auto& blocks) { return blocks.size() > beforeReturn; }));
    EXPECT_EQ(log->opens, 2);
    EXPECT_GE(player.Position(), player.Length()) << "the watch would wait for ever";

    log->Set([](CaptureLog& l) { l.blocks.clear(); });
    ASSERT_EQ(player.Open(tune), "");
    player.Play();
    EXPECT_LT(player.Position(), player.Length());
    EXPECT_TRUE(log->WaitFor([](const auto& blocks) {
        return std::any_of(blocks.begin(), blocks.end(), [](const auto& b) {
            return std::any_of(b.samples.begin(), b.samples.end(),
                               [](int16_t v) { return std::abs(v) > 300; });
        });
    }));
}

}  // namespace
}  // namespace tessaly::test

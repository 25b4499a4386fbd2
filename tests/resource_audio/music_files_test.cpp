// The fifteen music pieces, as the build wrote them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cues.h"
#include "game/resource_layout.h"
#include "loudness.h"
#include "smf_reader.h"
#include "ui/music_player.h"

namespace tessaly::test {
namespace {

// Where the game reads piece n from.
std::filesystem::path Piece(int n) {
    return MusicPath(n, TESSALY_RESOURCE_DIR);
}

bool IsNoteOn(const MidiEvent& e) {
    return (e.status & 0xF0) == 0x90 && e.data[1] > 0;
}
bool IsNoteOff(const MidiEvent& e) {
    return (e.status & 0xF0) == 0x80 || ((e.status & 0xF0) == 0x90 && e.data[1] == 0);
}

TEST(MusicFiles, EveryPieceIsAStandardMidiFileOfOneToThreeMinutes) {
    for (int n = 1; n <= MusicPieceCount; ++n) {
        SCOPED_TRACE(Piece(n).string());
        MidiFile midi;
        ASSERT_NO_THROW(midi = ReadSmfFile(Piece(n)));
        const double seconds = DurationSeconds(midi);
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 180.0);
    }
}

// A note left hanging would sound on until the player closes the device.
TEST(MusicFiles, EveryNoteOnIsMatchedByANoteOff) {
    for (int n = 1; n <= MusicPieceCount; ++n) {
        SCOPED_TRACE(Piece(n).string());
        const MidiFile midi = ReadSmfFile(Piece(n));
        std::map<std::pair<int, int>, int> sounding;  // (channel, key) -> open notes
        for (const auto& track : midi.tracks) {
            for (const MidiEvent& e : track) {
                const std::pair<int, int> note{e.status & 0x0F, e.data.empty() ? 0 : e.data[0]};
                if (IsNoteOn(e)) {
                    EXPECT_EQ(++sounding[note], 1) << "key struck again while sounding";
                } else if (IsNoteOff(e)) {
                    EXPECT_EQ(--sounding[note], 0) << "note off without a note on";
                }
            }
        }
        for (const auto& [note, open] : sounding) EXPECT_EQ(open, 0);
    }
}

// Melody plus accompaniment: several channels, each given an instrument before it plays, none of
// them the percussion channel (a tune there would come out as drum hits), in a range that the
// SoundFont covers and ears find pleasant.
TEST(MusicFiles, EachPieceHasSeveralVoicesOnChosenInstruments) {
    for (int n = 1; n <= MusicPieceCount; ++n) {
        SCOPED_TRACE(Piece(n).string());
        const MidiFile midi = ReadSmfFile(Piece(n));
        std::set<int> playing, programmed;
        for (const auto& track : midi.tracks) {
            for (const MidiEvent& e : track) {
                const int channel = e.status & 0x0F;
                if ((e.status & 0xF0) == 0xC0) programmed.insert(channel);
                if (!IsNoteOn(e)) continue;
                EXPECT_TRUE(programmed.count(channel))
                    << "channel " << channel << " has no program";
                EXPECT_NE(channel, 9);
                EXPECT_GE(e.data[0], 28);
                EXPECT_LE(e.data[0], 100);
                playing.insert(channel);
            }
        }
        EXPECT_GE(playing.size(), 3u);
    }
}

TEST(MusicFiles, NoTwoPiecesAreTheSame) {
    std::set<std::string> seen;
    for (int n = 1; n <= MusicPieceCount; ++n) {
        std::ifstream file(Piece(n), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(file)), {});
        EXPECT_TRUE(seen.insert(bytes).second) << Piece(n);
    }
}

// Rendered through the game's own player, SoundFont and gain, as the player hears them, every
// piece sits under the cues and still well audible. Only the first half minute is rendered, to
// keep the suite quick; openings are often quieter than the whole, some by eight decibels.
TEST(MusicFiles, EachPieceSitsAFewDecibelsUnderTheCues) {
    MusicPlayerOptions options;
    options.offline = true;
    MusicPlayer player(options);
    constexpr int Rate = 44100;
    for (int n = 1; n <= MusicPieceCount; ++n) {
        SCOPED_TRACE(Piece(n).string());
        ASSERT_EQ(player.Open(Piece(n).string()), "");
        player.Play();
        std::vector<float> heard;
        float peak = 0.0f;
        for (int second = 0; second < 30 && player.Position() < player.Length(); ++second)
            peak = std::max(peak, player.RenderOffline(Rate, &heard));
        EXPECT_LT(peak, 1.0f) << "clips";
        const double loudness = IntegratedLoudness(heard, 2, Rate);
        EXPECT_LE(loudness, kCueLoudnessLufs - 3.0);
        EXPECT_GE(loudness, kCueLoudnessLufs - 16.0);
        RecordProperty("music" + std::to_string(n), std::to_string(loudness));
    }
}

// The length test above rests on the reader's tempo-map arithmetic; check it on a file worked
// out by hand, written with running status as other programs do.
TEST(MidiReader, FollowsTheTempoMapAndRunningStatus) {
    const std::vector<std::uint8_t> bytes = {
        'M',  'T',  'h',  'd',  0,    0,    0,    6,
        0,    0,    0,    1,    0x01, 0xE0,  // format 0, 480 ticks/quarter
        'M',  'T',  'r',  'k',  0,    0,    0,    27,
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,     // 500000 us a quarter
        0x00, 0x90, 60,   100,  0x83, 0x60, 60,   0,  // running status, velocity 0 = off, 480 ticks
        0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40,     // 1000000 us a quarter
        0x83, 0x60, 0xFF, 0x2F, 0x00};                // 480 ticks later
    const MidiFile midi = ReadSmf(bytes);
    ASSERT_EQ(midi.tracks.size(), 1u);
    EXPECT_TRUE(IsNoteOff(midi.tracks[0][2]));
    EXPECT_DOUBLE_EQ(DurationSeconds(midi), 0.5 + 1.0);

    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 3);
    cut[21] = 24;  // the track now lacks its end-of-track event
    EXPECT_THROW(ReadSmf(cut), std::runtime_error);
}

}  // namespace
}  // namespace tessaly::test

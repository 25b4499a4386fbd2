// The generator's own pieces and what a build run of it must guarantee.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "arranger.h"
#include "loudness.h"
#include "notation.h"
#include "smf_reader.h"
#include "smf_writer.h"
#include "synth.h"
#include "wav_writer.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
    std::ifstream file(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), {});
}

class TempDir {
  public:
    explicit TempDir(const std::string& name)
        : path_(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// Runs the build's generator; what it says on stderr goes to errors.
int RunGenerator(const fs::path& out, const fs::path& errors) {
    const std::string command =
        "\"" SOUNDGEN_PATH "\" \"" + out.string() + "\" 2>\"" + errors.string() + "\"";
    return std::system(command.c_str());
}

TEST(Generator, TwoRunsWriteTheSameBytesAsTheBuild) {
    TempDir a("soundgen-a"), b("soundgen-b");
    ASSERT_EQ(RunGenerator(a.path() / "resource", a.path() / "errors"), 0);
    ASSERT_EQ(RunGenerator(b.path() / "resource", b.path() / "errors"), 0);
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(a.path() / "resource")) {
        if (!entry.is_regular_file()) continue;
        const fs::path relative = fs::relative(entry.path(), a.path() / "resource");
        SCOPED_TRACE(relative.string());
        EXPECT_EQ(Slurp(entry.path()), Slurp(b.path() / "resource" / relative));
        EXPECT_EQ(Slurp(entry.path()), Slurp(fs::path(TESSALY_RESOURCE_DIR) / relative));
        ++files;
    }
    EXPECT_EQ(files, 7 + 15);
}

TEST(Generator, FailsLoudlyWhenItCannotWrite) {
    TempDir dir("soundgen-blocked");
    const fs::path blocker = dir.path() / "file";
    std::ofstream(blocker) << "not a folder";
    EXPECT_NE(RunGenerator(blocker / "resource", dir.path() / "errors"), 0);
    EXPECT_NE(Slurp(dir.path() / "errors").find("soundgen: "), std::string::npos);
}

TEST(VarLen, EncodesSevenBitGroupsWithContinuationBits) {
    struct Case {
        std::uint32_t value;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {0, {0x00}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> out;
        AppendVarLen(out, c.value);
        EXPECT_EQ(out, c.bytes) << c.value;
    }
    std::vector<std::uint8_t> out;
    EXPECT_THROW(AppendVarLen(out, 0x10000000), std::out_of_range);
}

TEST(SmfTrack, ReleasesARepeatedNoteBeforeStrikingItAgain) {
    SmfTrack track;
    track.Program(0, 0, 73);
    track.Note(480, 480, 0, 64, 90);  // added second, sounds first
    track.Note(0, 480, 0, 64, 90);
    const test::MidiFile midi = test::ReadSmf(EncodeSmf({track}));
    std::vector<int> kinds;  // status high nibble at tick 480
    for (const test::MidiEvent& e : midi.tracks[0]) {
        if (e.tick == 480) kinds.push_back(e.status & 0xF0);
    }
    EXPECT_EQ(kinds, (std::vector<int>{0x80, 0x90}));
}

TEST(Notation, ReadsNotesRestsAndCarriedLengths) {
    const std::vector<ScoreNote> notes = ParseMelody("C4:4 C#4 | Db4:2 R B#3 Cb4 A0:1");
    const int keys[] = {60, 61, 61, kRest, 60, 59, 21};
    const int starts[] = {0, 4, 8, 10, 12, 14, 16};
    ASSERT_EQ(notes.size(), 7u);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        EXPECT_EQ(notes[i].key, keys[i]) << i;
        EXPECT_EQ(notes[i].start, starts[i]) << i;
    }
    EXPECT_EQ(TotalLength(notes), 17);

    const std::vector<ScoreChord> chords = ParseChords("Am7:8 N F#:4 G5");
    ASSERT_EQ(chords.size(), 4u);
    EXPECT_EQ(chords[0].root, 9);
    EXPECT_EQ(chords[0].intervals, (std::vector<int>{0, 3, 7, 10}));
    EXPECT_EQ(chords[1].root, kNoChord);
    EXPECT_EQ(chords[2].root, 6);
    EXPECT_EQ(chords[3].intervals, (std::vector<int>{0, 7}));
}

TEST(Notation, RejectsMalformedTokensNamingThem) {
    for (const char* bad : {"C4", "H4:4", "C:4", "C4:0", "C4:x", "C44:4", "C9:4", "C4:4 Q"}) {
        try {
            ParseMelody(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const NotationError& e) {
            EXPECT_NE(std::string(e.what()).find("bad token"), std::string::npos);
        }
    }
    EXPECT_THROW(ParseChords("Cq:4"), NotationError);
    EXPECT_THROW(ParseChords("Am"), NotationError);
}

// A slip in a transcription shows as a melody and chord line of different lengths, or a tune
// that does not fill its bars; the arranger must refuse it rather than drift out of step.
TEST(Arranger, RefusesTunesWhoseLinesDoNotFit) {
    Tune tune{"test",
              4,
              4,
              0,
              100,
              "C5:16 D5:16",
              "C:16 G:8",
              {73, 73, 73},
              48,
              32,
              {Accompaniment::Sustained, Accompaniment::Sustained},
              {0, 0}};
    EXPECT_THROW(Arrange(tune), NotationError);
    tune.melody = "C5:16 D5:8";
    EXPECT_THROW(Arrange(tune), NotationError);
    tune.melody = tune.chords = "";
    EXPECT_THROW(Arrange(tune), NotationError);
    tune.melody = "C5:16";
    tune.chords = "C:16";
    tune.beatUnit = 0;
    EXPECT_THROW(Arrange(tune), NotationError);
}

TEST(Arranger, RefusesPiecesOutsideTheLengthLimits) {
    // so slow that a single verse runs past three minutes
    const Tune tune{"test",
                    4,
                    4,
                    0,
                    10,
                    "C5:16 D5:16 E5:16 F5:16 G5:16 A5:16 B5:16 C6:16",
                    "C:16 G C G C F G C",
                    {73, 73, 73},
                    48,
                    32,
                    {Accompaniment::Sustained, Accompaniment::Sustained},
                    {0, 0}};
    EXPECT_THROW(Arrange(tune), std::runtime_error);
}

TEST(Synth, FinishSetsTheLoudnessAndAppendsDigitalSilence) {
    const Signal tone = Tone({.startHz = 440, .seconds = 0.5});
    const std::vector<std::int16_t> out = Finish(tone, -20.0, -1.0, 0.2);
    ASSERT_EQ(out.size(), tone.size() + 8820);
    std::vector<double> heard;
    for (std::int16_t s : out) heard.push_back(s / 32768.0);
    EXPECT_NEAR(IntegratedLoudness(heard, 1, 44100), -20.0, 0.05);
    EXPECT_TRUE(std::all_of(out.end() - 8820, out.end(), [](std::int16_t s) { return s == 0; }));

    // A click shorter than a loudness block still gets a loudness: the silence makes up the rest.
    EXPECT_GE(Finish(Tone({.startHz = 2000, .seconds = 0.02}), -30.0, -1.0, 0.2).size(),
              44100u * 4 / 10);
    EXPECT_THROW(Finish(Signal(100, 0.0), -20.0, -1.0, 0.2), std::logic_error);
    // Too loud a target for a sparse sound would clip: refused, not written.
    EXPECT_THROW(Finish(Tone({.startHz = 2000, .seconds = 0.02}), -3.0, -1.0, 0.2),
                 std::logic_error);
}

}  // namespace
}  // namespace tessaly

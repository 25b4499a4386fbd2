// The cue player through an output that captures samples: when a cue starts, how it is cut, and
// that no file named like a cue can block it or be played when it is not a sound.
#include "ui/cue_player.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "capture_output.h"
#include "test_wave.h"
#include "ui/wave_file.h"

namespace tessaly::test {
namespace {

// Cues of one constant sample value each, so that every captured sample tells whose it is.
// Damaged survives the 8-bit round trip.
constexpr int16_t Long = 1000, Short = -2000, Damaged = 12 * 256;

class CuePlayerTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QDir().mkpath("resource/Sound");
        Write("Long", Wave({.value = Long, .frames = 2 * 44100}));
        Write("Short", Wave({.value = Short}));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    static void Write(const std::string& cue, const std::string& bytes) {
        std::ofstream("resource/Sound/" + cue + ".wav", std::ios::binary) << bytes;
    }
    static std::string Path(const std::string& cue) { return "resource/Sound/" + cue + ".wav"; }

    bool WaitUntilHeard(int16_t value) {
        return log->WaitFor([&](const auto& blocks) {
            return std::any_of(blocks.begin(), blocks.end(),
                               [&](const auto& b) { return Has(b.samples, value); });
        });
    }
    // The output holds after the first block of the long cue, so that what comes next arrives
    // while it plays however slowly this thread runs; clearing `stalled` lets it go on.
    void PlayLongAndHoldIt() {
        log->Set([](CaptureLog& l) { l.stallAfter = Long; });
        player.Play("Long");
        ASSERT_TRUE(log->WaitForLog([](const CaptureLog& l) { return l.waiting == 1; }));
    }
    bool WaitForFlushes(int n) {
        return log->WaitFor([&](const auto& blocks) {
            return std::count_if(blocks.begin(), blocks.end(),
                                 [](const auto& b) { return b.samples.empty(); }) >= n;
        });
    }

    QTemporaryDir dir;
    QString previous;
    std::shared_ptr<CaptureLog> log = std::make_shared<CaptureLog>();
    CuePlayer player{CaptureOutput::Factory(log)};
};

// The window's thread sleeps 200 ms after a Delete cue while the link is shown, and a sound
// server may be slow to answer: the call comes back while the cue thread is still waiting for
// the server, and the cue sounds once it answers, with nothing more from the caller.
TEST_F(CuePlayerTest, TheCallNeverWaitsForTheServerAndTheCuePlaysWithoutTheCaller) {
    log->Set([](CaptureLog& l) { l.stalled = true; });
    EXPECT_TRUE(ReturnsWhileStalled(*log, [&] { player.Play("Long"); }));
    ASSERT_TRUE(log->WaitForLog([](const CaptureLog& l) { return l.waiting == 1; }));
    log->Set([](CaptureLog& l) { l.stalled = false; });
    EXPECT_TRUE(WaitUntilHeard(Long));
}

// A stalled server holds the cue thread in an open or a write for as long as it likes; leaving
// must not wait for it. The thread left behind touches nothing of the player's when the server
// wakes (the address sanitiser would see it).
TEST_F(CuePlayerTest, LeavingDoesNotWaitForAStalledServerAndTheServerComingBackHarmsNothing) {
    const struct {
        const char* stalledIn;
        bool heardFirst;
    } moments[] = {{"the first open", false}, {"a write of a playing cue", true}};
    for (const auto& moment : moments) {
        SCOPED_TRACE(moment.stalledIn);
        auto stalled = std::make_shared<CaptureLog>();
        auto leaving = std::make_unique<CuePlayer>(CaptureOutput::Factory(stalled));
        if (moment.heardFirst) {
            leaving->Play("Long");
            ASSERT_TRUE(stalled->WaitFor([](const auto& blocks) { return !blocks.empty(); }));
        }
        stalled->Set([](CaptureLog& l) { l.stalled = true; });
        leaving->Play("Long");
        ASSERT_TRUE(stalled->WaitForLog([](const CaptureLog& l) { return l.waiting == 1; }));
        EXPECT_TRUE(ReturnsWhileStalled(*stalled, [&] { leaving.reset(); }));
        stalled->Set([](CaptureLog& l) { l.stalled = false; });
    }
}

// After a failed write (the server went away) the next cue opens a new output.
TEST_F(CuePlayerTest, WhenTheServerComesBackTheNextCueSounds) {
    player.Play("Long");
    ASSERT_TRUE(WaitUntilHeard(Long));
    log->Set([](CaptureLog& l) { l.gone = true; });
    ASSERT_TRUE(log->WaitForLog([](const CaptureLog& l) { return l.failedWrites > 0; }));
    log->Set([](CaptureLog& l) { l.gone = false; });
    player.Play("Short");
    EXPECT_TRUE(WaitUntilHeard(Short));
    EXPECT_EQ(log->opens, 2);
}

TEST_F(CuePlayerTest, ANewCueCutsTheOldOneAtOnceWithoutAScrap) {
    PlayLongAndHoldIt();
    player.Play("Short");
    log->Set([](CaptureLog& l) { l.stalled = false; });
    ASSERT_TRUE(WaitUntilHeard(Short));
    // The whole of the new cue, so that a scrap of the old one after it would be seen.
    ASSERT_TRUE(log->WaitFor([](const auto& blocks) {
        const Stream s(blocks);
        return std::count(s.samples.begin(), s.samples.end(), Short) == 4410 * AudioChannels;
    }));

    const Stream s(log->Snapshot());
    ASSERT_FALSE(s.flushes.empty());
    // Nothing of the old cue after the new one started, and the device's queue was dropped
    // between them, so nothing written before the switch is heard after it either.
    EXPECT_LT(s.Last(Long), s.First(Short));
    EXPECT_TRUE(std::any_of(s.flushes.begin(), s.flushes.end(), [&](std::size_t f) {
        return s.Last(Long) < f && f <= s.First(Short);
    }));
    // Cut at once: the new cue came while the old one's second block was held.
    EXPECT_LT(s.Last(Long), 44100u * 2 / 4) << "the old cue played on";
    // The server drops the first few milliseconds after a flush: they must be silence.
    const std::size_t flush =
        *std::prev(std::upper_bound(s.flushes.begin(), s.flushes.end(), s.First(Short)));
    const std::size_t leadIn = 44100 / 200 * AudioChannels;
    ASSERT_GE(s.First(Short), flush + leadIn) << "the cue starts without its lead-in";
    EXPECT_TRUE(std::all_of(s.samples.begin() + static_cast<long>(flush),
                            s.samples.begin() + static_cast<long>(flush + leadIn),
                            [](int16_t v) { return v == 0; }));
}

// Stopping silences the cue, and what the cue had queued is dropped: the next cue follows on
// silence.
TEST_F(CuePlayerTest, StopSilencesThePlayingCue) {
    PlayLongAndHoldIt();
    const int before = log->Flushes();
    player.Stop();
    log->Set([](CaptureLog& l) { l.stalled = false; });
    ASSERT_TRUE(WaitForFlushes(before + 1));
    player.Play("Short");
    ASSERT_TRUE(WaitUntilHeard(Short));

    const Stream s(log->Snapshot());
    const std::size_t stop = s.flushes[static_cast<std::size_t>(before)];
    EXPECT_LT(s.Last(Long), stop);
    EXPECT_LT(s.Last(Long), 44100u * 2 / 4) << "the cue played on after the stop";
}

// Every kind of file that is not a playable wave gives silence, never blocks the player, and a
// good cue after it still sounds.
TEST_F(CuePlayerTest, FilesThatAreNotSoundsStaySilentAndTheNextCueStillPlays) {
    const std::string good = Wave({.value = Damaged});
    std::string oversizedData = good;
    oversizedData.replace(40, 4, Le(static_cast<uint32_t>(good.size()) * 10, 4));
    std::string hugeFmt = good;
    hugeFmt.replace(16, 4, Le(0x7fffffff, 4));
    std::string zeroFmt = good;
    zeroFmt.replace(16, 4, Le(0, 4));
    std::string riffTooLong = good;
    riffTooLong.replace(4, 4, Le(static_cast<uint32_t>(good.size()) * 2, 4));
    std::string notRiff = good;
    notRiff.replace(0, 4, "RIFX");
    std::string compressed = good;
    compressed.replace(20, 2, Le(2, 2));  // ADPCM
    // Under the file cap, but 44 times longer once converted: past the cap on a cue's length.
    const std::string tooLong =
        Wave({.value = Damaged, .frames = 4000 * 11, .rate = 4000, .bits = 8});

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case files[] = {{"Empty", ""},
                          {"Truncated", good.substr(0, 30)},
                          {"OversizedData", oversizedData},
                          {"HugeFmt", hugeFmt},
                          {"ZeroLengthFmt", zeroFmt},
                          {"RiffLongerThanFile", riffTooLong},
                          {"NotRiff", notRiff},
                          {"Compressed", compressed},
                          {"TooLongOnceConverted", tooLong}};
    for (const Case& c : files) Write(c.name, c.bytes);
    QDir().mkpath("resource/Sound/Directory.wav");
    ASSERT_EQ(::mkfifo(Path("Fifo").c_str(), 0600), 0) << std::strerror(errno);
    ASSERT_EQ(::symlink("/dev/zero", Path("DevZero").c_str()), 0) << std::strerror(errno);

    std::vector<std::string> names = {"Missing", "Directory", "Fifo", "DevZero"};
    for (const Case& c : files) names.push_back(c.name);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::size_t before = log->Snapshot().size();
        player.Play(QString::fromStdString(name));
        // The file is read right after the flush, and a sound would follow its lead-in: two
        // blocks written after the flush show what the player made of it.
        ASSERT_TRUE(log->WaitFor([&](const auto& blocks) {
            const auto flush =
                std::find_if(blocks.begin() + static_cast<long>(before), blocks.end(),
                             [](const auto& b) { return b.samples.empty(); });
            return flush != blocks.end() && blocks.end() - flush > 2;
        }));
        EXPECT_FALSE(Has(Stream(log->Snapshot()).samples, Damaged)) << "a damaged file was played";
    }
    player.Play("Short");
    EXPECT_TRUE(WaitUntilHeard(Short)) << "a bad file stopped the player";
    // Rewritten at the same size: what plays is the new sound, not the one decoded before.
    Write("Short", Wave({.value = Damaged}));
    player.Play("Short");
    EXPECT_TRUE(WaitUntilHeard(Damaged)) << "the cue's old version was played";
}

// Files from elsewhere may be 8-bit, stereo or at another rate; they play at the right pitch.
TEST(WaveFile, OtherFormatsAreConvertedToTheOutputFormat) {
    const auto eightBit =
        DecodeWave(Wave({.value = 0x4000, .frames = 100, .rate = 22050, .bits = 8}));
    ASSERT_TRUE(eightBit);
    EXPECT_EQ(eightBit->Frames(), 200u);
    EXPECT_EQ(eightBit->samples.front(), 0x4000);
    EXPECT_EQ(eightBit->samples.back(), 0x4000);

    const auto stereo =
        DecodeWave(Wave({.value = -5, .frames = 441, .rate = 88200, .channels = 2, .right = 7}));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->Frames(), 220u);
    for (std::size_t i = 0; i < stereo->samples.size(); ++i)
        ASSERT_EQ(stereo->samples[i], i % 2 == 0 ? -5 : 7) << "sample " << i;

    const auto empty = DecodeWave(Wave({.frames = 0}));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Frames(), 0u);
}

// The reader on its own: chunk sizes against the bytes there are, the pad byte after an odd
// chunk, and the cap on how long a cue may play (exactly at it and one frame past it).
TEST(WaveFile, ChunksAreWalkedByTheirSizesAndPaddingAndTheLengthIsCapped) {
    const std::string fmt = "fmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) + Le(44100, 4) + Le(88200, 4) +
                            Le(2, 2) + Le(16, 2);
    const std::string threeFrames = "data" + Le(6, 4) + Le(7, 2) + Le(7, 2) + Le(7, 2);
    const auto riff = [](const std::string& chunks) {
        return "RIFF" + Le(static_cast<uint32_t>(chunks.size() + 4), 4) + "WAVE" + chunks;
    };
    const std::string oddChunk = "LIST" + Le(3, 4) + "abc";
    const std::string eightBitOdd = "fmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) + Le(44100, 4) +
                                    Le(44100, 4) + Le(1, 2) + Le(8, 2) + "data" + Le(3, 4) +
                                    std::string(3, '\x90');
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::size_t> frames;  // none: refused
    } rows[] = {
        {"plain", riff(fmt + threeFrames), 3},
        {"an odd chunk with its pad byte", riff(oddChunk + '\0' + fmt + threeFrames), 3},
        {"an odd chunk without its pad byte", riff(oddChunk + fmt + threeFrames), std::nullopt},
        {"an odd last chunk without its pad byte", riff(eightBitOdd), 3},
        {"a chunk claiming one byte more than the file holds",
         riff(fmt + "data" + Le(7, 4) + Le(7, 2) + Le(7, 2) + Le(7, 2)), std::nullopt},
        {"a chunk claiming 4 GiB", riff(fmt + "data" + Le(0xFFFFFFFF, 4) + Le(7, 2)), std::nullopt},
        {"a chunk header cut short", riff(fmt + "dat"), std::nullopt},
        {"the data before its format", riff(threeFrames + fmt), std::nullopt},
        {"exactly the longest cue", Wave({.frames = static_cast<uint32_t>(MaxCueFrames)}),
         MaxCueFrames},
        {"one frame longer", Wave({.frames = static_cast<uint32_t>(MaxCueFrames) + 1}),
         std::nullopt},
        {"8-bit 4 kHz that grows past the cap",
         Wave({.frames = 4000 * 11, .rate = 4000, .bits = 8}), std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<CueSound> sound = DecodeWave(row.bytes);
        ASSERT_EQ(sound.has_value(), row.frames.has_value());
        if (sound) {
            EXPECT_EQ(sound->Frames(), *row.frames);
        }
    }
}

}  // namespace
}  // namespace tessaly::test

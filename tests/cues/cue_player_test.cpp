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
#include <string>

#include "capture_output.h"
#include "test_wave.h"
#include "ui/wave_file.h"

namespace tessaly::test {
namespace {

// Cues of one constant sample value each, so that every captured sample tells whose it is.
constexpr int16_t Long = 1000, Short = -2000, Damaged = 3000;

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

// The window's thread sleeps 200 ms after a Delete cue while the link is shown; the cue must be
// sounding by the time it wakes, and the call must not have waited for it.
TEST_F(CuePlayerTest, CueStartsWhileTheCallerSleeps) {
    const Clock::time_point called = Clock::now();
    player.Play("Long");
    const Clock::time_point returned = Clock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const Clock::time_point woke = Clock::now();

    ASSERT_TRUE(WaitUntilHeard(Long));
    Clock::time_point first{};
    for (const auto& b : log->Snapshot())
        if (first == Clock::time_point{} && Has(b.samples, Long)) first = b.at;
    EXPECT_LT(first, woke) << "the cue waited for the caller";
    // The worker may well write the first block before the caller reads the clock again, so
    // what counts is that the call came back long before the cue could have played through.
    std::size_t heardByReturn = 0;
    for (const auto& b : log->Snapshot())
        if (b.at <= returned)
            heardByReturn +=
                static_cast<std::size_t>(std::count(b.samples.begin(), b.samples.end(), Long));
    EXPECT_LT(heardByReturn, std::size_t{2 * 44100 * AudioChannels})
        << "the call waited for the cue";
    const auto ms = std::chrono::duration<double, std::milli>(first - called).count();
    RecordProperty("latency_ms", std::to_string(ms));
}

TEST_F(CuePlayerTest, ANewCueCutsTheOldOneAtOnceWithoutAScrap) {
    player.Play("Long");
    ASSERT_TRUE(WaitUntilHeard(Long));
    player.Play("Short");
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
    // Cut at once: far less than the two seconds the old cue would have run.
    EXPECT_LT(s.Last(Long), 44100u * 2 / 4) << "the old cue played on";
}

// "NULL" stops the cue, and what the cue had queued is dropped: the next cue follows on silence.
TEST_F(CuePlayerTest, StopSilencesThePlayingCue) {
    player.Play("Long");
    ASSERT_TRUE(WaitUntilHeard(Long));
    const int before = log->Flushes();
    player.Stop();
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
                          {"Compressed", compressed}};
    for (const Case& c : files) Write(c.name, c.bytes);
    QDir().mkpath("resource/Sound/Directory.wav");
    ASSERT_EQ(::mkfifo(Path("Fifo").c_str(), 0600), 0) << std::strerror(errno);
    ASSERT_EQ(::symlink("/dev/zero", Path("DevZero").c_str()), 0) << std::strerror(errno);

    std::vector<std::string> names = {"Missing", "Directory", "Fifo", "DevZero"};
    for (const Case& c : files) names.push_back(c.name);
    int flushes = 0;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        player.Play(QString::fromStdString(name));
        // Handled once the output's queue has been dropped for it; the file is read right after.
        ASSERT_TRUE(WaitForFlushes(++flushes));
        player.Play("Short");
        ASSERT_TRUE(WaitForFlushes(++flushes));
        ASSERT_TRUE(WaitUntilHeard(Short));
        player.Stop();
        ASSERT_TRUE(WaitForFlushes(++flushes));
        EXPECT_FALSE(Has(Stream(log->Snapshot()).samples, Damaged)) << "a damaged file was played";
        std::lock_guard lock(log->mutex);
        log->blocks.clear();
        flushes = 0;
    }
}

// Files from elsewhere may be 8-bit, stereo or at another rate; they play at the right pitch.
TEST(WaveFile, OtherFormatsAreConvertedToTheOutputFormat) {
    const auto eightBit =
        DecodeWave(Wave({.value = 0x4000, .frames = 100, .rate = 22050, .bits = 8}));
    ASSERT_TRUE(eightBit);
    EXPECT_EQ(eightBit->frames(), 200u);
    EXPECT_EQ(eightBit->samples.front(), 0x4000);
    EXPECT_EQ(eightBit->samples.back(), 0x4000);

    const auto stereo =
        DecodeWave(Wave({.value = -5, .frames = 441, .rate = 88200, .channels = 2}));
    ASSERT_TRUE(stereo);
    EXPECT_EQ(stereo->frames(), 220u);
    EXPECT_TRUE(std::all_of(stereo->samples.begin(), stereo->samples.end(),
                            [](int16_t v) { return v == -5; }));

    const auto empty = DecodeWave(Wave({.frames = 0}));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->frames(), 0u);
}

}  // namespace
}  // namespace tessaly::test

// The window's cue wiring over a capturing output: the sound switch decides over every cue but
// "NULL", which stops the playing cue whatever the switch says.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <memory>
#include <utility>

#include "capture_output.h"
#include "test_wave.h"
#include "tests/ui/resource_folder.h"
#include "ui/cue_player.h"
#include "ui/main_form.h"

namespace tessaly::test {
namespace {

constexpr int16_t Cue = 1200;

TEST(CueWindow, TheSoundSwitchSilencesCuesButNullStillStops) {
    auto log = std::make_shared<CaptureLog>();
    const AudioOutputFactory real = std::exchange(CueOutputFactory(), CaptureOutput::Factory(log));
    ResourceFolder folder;
    const std::string wave = Wave({.value = Cue, .frames = 2 * 44100});
    folder.WriteBytes("Sound/Select.wav",
                      QByteArray(wave.data(), static_cast<qsizetype>(wave.size())));
    MainForm form([](UpdatePrompt&) {}, [] { return 7u; });
    auto flushes = [&](int n) {
        return log->WaitFor([&](const auto& blocks) {
            return std::count_if(blocks.begin(), blocks.end(),
                                 [](const auto& b) { return b.samples.empty(); }) >= n;
        });
    };

    form.SetMenuChecked(MenuItemId::MenuOptionSound, false);
    form.PlayCue("Select");
    form.PlayCue("NULL");
    ASSERT_TRUE(flushes(1));
    form.SetMenuChecked(MenuItemId::MenuOptionSound, true);
    form.PlayCue("Select");
    ASSERT_TRUE(log->WaitFor([](const auto& blocks) {
        return std::any_of(blocks.begin(), blocks.end(),
                           [](const auto& b) { return Has(b.samples, Cue); });
    }));
    form.SetMenuChecked(MenuItemId::MenuOptionSound, false);
    form.PlayCue("NULL");
    ASSERT_TRUE(flushes(3));

    const Stream s(log->Snapshot());
    ASSERT_EQ(s.flushes.size(), 3u);
    EXPECT_EQ(s.flushes[0], 0u) << "a cue sounded while the switch was off";
    EXPECT_LT(s.Last(Cue), s.flushes[2]) << "NULL did not stop the cue";
    EXPECT_LT(s.Last(Cue), 44100u) << "the cue played on after NULL";
    CueOutputFactory() = real;
}

}  // namespace
}  // namespace tessaly::test

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// The window's cue wiring over a capturing output: the sound switch decides over every cue, but
// the stop request silences the playing cue whatever the switch says.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <utility>

#include "capture_output.h"
#include "engine/engine.h"
#include "game/resource_layout.h"
#include "test_wave.h"
#include "tests/ui/form_fixture.h"
#include "ui/cue_player.h"
#include "ui/main_form.h"
#include "ui/music_module.h"

namespace tessaly::test {
namespace {

constexpr int16_t Select = 1200, Other = 1300;

// The game owns the switch: what counts is what reaches the output.
TEST(CueWindow, TheSoundSwitchSilencesCuesButNullStillStops) {
    auto log = std::make_shared<CaptureLog>();
    const AudioOutputFactory real = std::exchange(CueOutputFactory(), CaptureOutput::Factory(log));
    ResourceFolder folder;
    for (const char* name : CueNames) {
        const std::string wave =
            Wave({.value = std::string(name) == "Select" ? Select : Other, .frames = 2 * 44100});
        folder.WriteBytes(QString("Sound/%1.wav").arg(name),
                          QByteArray(wave.data(), static_cast<qsizetype>(wave.size())));
    }
    MainForm form([](UpdatePrompt&) {}, [] { return 7u; });
    form.Errors().SetSink([](const QString&) {});  // no music here
    Ui::BlockingSleep(form) = [](int32_t) {};
    Game& game = form.TheGame();
    game.Command(MenuItemId::MenuGameLow);

    game.MouseDown(ColToX(1), RowToY(1));  // a first click: "Select"
    ASSERT_TRUE(log->WaitFor([](const auto& blocks) {
        return std::any_of(blocks.begin(), blocks.end(),
                           [](const auto& b) { return Has(b.samples, Select); });
    }));
    game.Command(MenuItemId::MenuOptionSound);
    const std::size_t switchedOff = log->Snapshot().size();
    // The second tile would bring another cue. The select cue plays on, so the cue thread keeps
    // writing; had another cue been asked for, it would be taken before the next blocks.
    game.MouseDown(ColToX(2), RowToY(1));
    ASSERT_TRUE(log->WaitFor([&](const auto& blocks) { return blocks.size() > switchedOff + 3; }));
    game.Command(MenuItemId::MenuOptionMusic);  // stops the cue, whatever the switch says
    ASSERT_TRUE(log->WaitFor([&](const auto& blocks) {
        return std::any_of(blocks.begin() + static_cast<long>(switchedOff), blocks.end(),
                           [](const auto& b) { return b.samples.empty(); });
    }));

    const Stream s(log->Snapshot());
    EXPECT_FALSE(Has(s.samples, Other)) << "a cue sounded while the switch was off";
    ASSERT_FALSE(s.flushes.empty());
    EXPECT_LT(s.Last(Select), s.flushes.back()) << "the cue was not stopped";
    CueOutputFactory() = real;
}

// Without the music module the player is told so in the error box, and the game goes on.
TEST(MusicWindow, AMissingMusicModuleIsShownInTheErrorBox) {
    const QString real = std::exchange(MusicModulePath(), QStringLiteral("/nonexistent/m.so"));
    ResourceFolder folder;
    MainForm form([](UpdatePrompt&) {}, [] { return 7u; });
    QStringList errors;
    form.Errors().SetSink([&errors](const QString& text) { errors << text; });
    form.MenuAction("MenuOptionMusic")->trigger();
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Cannot play music: the music module could not be loaded ("))
        << errors[0].toStdString();
    EXPECT_TRUE(form.TheGame().View().MusicOn);
    MusicModulePath() = real;
}

}  // namespace
}  // namespace tessaly::test

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Closing the window ends the program whatever is going on: automatic play meeting missing
// pictures, a running countdown, an error box waiting or open, a game's own box open, a sound
// server that has stopped answering.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "form_fixture.h"
#include "tests/cues/capture_output.h"
#include "ui/cue_player.h"
#include "ui/music_module.h"
#include "ui/music_player.h"

namespace tessaly::test {
namespace {

using Closing = FormTest;

// Answers every box the game opens, or closes the window while a chosen one is open, and
// counts the boxes that open after the event loop has returned.
class BoxWatch : public QObject {
  public:
    std::function<bool(const QMessageBox&)> closeWhileOpen = [](const QMessageBox&) {
        return false;
    };
    QWidget* window = nullptr;
    bool loopReturned = false;
    int shown = 0;
    int shownAfterLoop = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            ++shown;
            if (loopReturned) ++shownAfterLoop;
            if (closeWhileOpen(*box)) {
                QTimer::singleShot(0, window, &QWidget::close);
            } else {
                QTimer::singleShot(0, box, &QDialog::accept);
            }
        }
        return false;
    }
};

struct Moment {
    const char* name;
    // Sets the moment up on a shown window whose automatic play is on.
    std::function<void(MainForm&, BoxWatch&)> arm;
};

// Closes the window at the n-th timeout of `timer`, after the game has handled that tick.
void CloseAtTick(MainForm& form, QTimer& timer, int n) {
    auto ticks = std::make_shared<int>(0);
    QObject::connect(&timer, &QTimer::timeout, &form, [&form, ticks, n] {
        if (++*ticks == n) form.close();
    });
}

const Moment Moments[] = {
    {"right after the first automatic move, its error still queued",
     [](MainForm& form, BoxWatch&) { CloseAtTick(form, Ui::TimerAutoPlay(form), 1); }},
    {"at the third automatic move",
     [](MainForm& form, BoxWatch&) { CloseAtTick(form, Ui::TimerAutoPlay(form), 3); }},
    {"while the first error box is open",
     [](MainForm&, BoxWatch& watch) {
         watch.closeWhileOpen = [](const QMessageBox& box) {
             return box.text().startsWith("Cannot open file");
         };
     }},
    {"while the third error box is open",
     [](MainForm&, BoxWatch& watch) {
         watch.closeWhileOpen = [&watch](const QMessageBox&) { return watch.shown == 3; };
     }},
    {"at a countdown tick",
     [](MainForm& form, BoxWatch&) {
         Ui::TimerGameDelay(form).setInterval(1);
         CloseAtTick(form, Ui::TimerGameDelay(form), 4);
     }},
    {"while the time-out box is open",
     [](MainForm& form, BoxWatch& watch) {
         // Automatic moves would give time back faster than it runs out.
         Ui::TimerAutoPlay(form).setInterval(60000);
         GameTestAccess::StateOf(form.TheGame()).TimeLeft = 1;
         Ui::TimerGameDelay(form).setInterval(1);
         watch.closeWhileOpen = [](const QMessageBox& box) {
             return box.text() == QStringLiteral("游戏结束!");
         };
     }},
};

TEST_F(Closing, EndsTheEventLoopAtEveryMomentOfAutomaticPlayWithMissingPictures) {
    folder.Remove("BackGround/1.bmp");
    for (const Moment& moment : Moments) {
        SCOPED_TRACE(moment.name);
        int checks = 0;
        auto window =
            std::make_unique<MainForm>([&checks](UpdatePrompt&) { ++checks; }, [] { return 7u; });
        BoxWatch watch;
        watch.window = window.get();
        Ui::BlockingSleep(*window) = nullptr;  // the moments come at ticks, not after real waits
        qApp->installEventFilter(&watch);
        window->show();
        window->TheGame().Command(MenuItemId::MenuGameLow);
        window->TheGame().Command(MenuItemId::MenuAutoPlay);
        Ui::TimerAutoPlay(*window).setInterval(1);
        moment.arm(*window, watch);

        EXPECT_EQ(QApplication::exec(), 0);
        watch.loopReturned = true;
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(Ui::TimerAutoPlay(*window).isActive());
        EXPECT_FALSE(Ui::TimerGameDelay(*window).isActive());
        EXPECT_FALSE(Ui::TimerGuard(*window).isActive());
        for (QWidget* top : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(top->isVisible()) << top->metaObject()->className();
        }
        // Nothing queued before the close may open a box afterwards.
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        EXPECT_EQ(watch.shownAfterLoop, 0);
        EXPECT_GE(watch.shown, 1);
        window.reset();
        EXPECT_EQ(checks, 1);
        qApp->removeEventFilter(&watch);
    }
}

// Ends the stalls after ten seconds, so that a window that waits for the sound server fails the
// test instead of hanging it.
class StallWatchdog {
  public:
    explicit StallWatchdog(std::vector<std::shared_ptr<CaptureLog>> logs)
        : thread_([this, logs = std::move(logs)] {
              std::unique_lock lock(mutex_);
              if (changed_.wait_for(lock, std::chrono::seconds(10), [&] { return cancelled_; }))
                  return;
              fired_ = true;
              for (const auto& log : logs) log->Set([](CaptureLog& l) { l.stalled = false; });
          }) {}
    ~StallWatchdog() { Cancel(); }
    // True when nothing had to be let go.
    bool Cancel() {
        {
            std::lock_guard lock(mutex_);
            cancelled_ = true;
        }
        changed_.notify_all();
        if (thread_.joinable()) thread_.join();
        return !fired_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
    bool fired_ = false;
    std::thread thread_;
};

// Leaving waits for the cue thread and then for the music's render threads; held by a stalled
// server, the two waits together still let the window go within a second.
static_assert(CuePlayer::ExitDeadline + MusicPlayer::ExitDeadline < std::chrono::seconds(1));

// A stopped sound server (a frozen Bluetooth sink) holds every call made to it. Switching the
// music and closing the window must not wait for it, whether it stopped under a playing cue and
// piece or before the music was switched on.
TEST(ClosingWithSound, NeverWaitsForAStoppedSoundServer) {
    for (const bool stoppedFirst : {false, true}) {
        SCOPED_TRACE(stoppedFirst ? "stopped before the music is switched on"
                                  : "stopped under a cue and a piece");
        auto cues = std::make_shared<CaptureLog>();
        auto music = std::make_shared<CaptureLog>();
        const auto stop = [&](bool stopped) {
            for (const auto& log : {cues, music})
                log->Set([stopped](CaptureLog& l) { l.stalled = stopped; });
        };
        const AudioOutputFactory realCues =
            std::exchange(CueOutputFactory(), CaptureOutput::Factory(cues));
        const AudioOutputFactory realMusic =
            std::exchange(MusicOutputFactory(), CaptureOutput::Factory(music));
        MusicModulePath() = QStringLiteral(TESSALY_MUSIC_MODULE);
        ResourceFolder folder;
        const char tune[] =
            "MThd\0\0\0\6\0\0\0\1\0\x60MTrk\0\0\0\x0c"
            "\0\x90\x3c\x64\x60\x80\x3c\0\0\xff\x2f\0";
        QDir().mkpath(folder.Path("midi"));
        for (int n = 1; n <= MusicPieceCount; ++n)
            folder.WriteBytes(QString("midi/music%1.mid").arg(n),
                              QByteArray(tune, sizeof tune - 1));
        auto form = std::make_unique<MainForm>([](UpdatePrompt&) {}, [] { return 7u; });
        QStringList errors;
        form->Errors().SetSink([&errors](const QString& text) { errors << text; });
        form->show();
        QAction* musicItem = form->MenuAction("MenuOptionMusic");
        StallWatchdog watchdog({cues, music});
        const auto stalled = [](CaptureLog& log) {
            return log.WaitForLog([](const CaptureLog& l) { return l.waiting > 0; });
        };

        if (stoppedFirst) stop(true);
        musicItem->trigger();  // the cue stops, then a piece
        if (!stoppedFirst) {
            for (const auto& log : {cues, music})
                ASSERT_TRUE(log->WaitFor([](const auto& blocks) { return !blocks.empty(); }));
            stop(true);
        }
        ASSERT_TRUE(stalled(*cues));
        ASSERT_TRUE(stalled(*music));
        musicItem->trigger();
        musicItem->trigger();
        form->close();
        form.reset();
        EXPECT_TRUE(watchdog.Cancel()) << "the window waited for the sound server";
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();

        stop(false);  // what was left behind finishes now, touching nothing of the window's
        CueOutputFactory() = realCues;
        MusicOutputFactory() = realMusic;
    }
}

struct Start {
    const char* what;
    QStringList unset;
    QStringList set;
    int status;
    QString output;  // what the output holds
};

// An X display on loopback that takes the connection and never answers: the kernel accepts it
// into the backlog, nobody ever reads.
struct SilentDisplay {
    int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    QString name;
    SilentDisplay() {
        for (int display = 90; display < 200 && name.isEmpty(); ++display) {
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(static_cast<uint16_t>(6000 + display));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                ::listen(socket, 4) == 0)
                name = QStringLiteral("127.0.0.1:%1").arg(display);
        }
    }
    ~SilentDisplay() { ::close(socket); }
};

TEST(Program, WithoutAPlatformSaysWhyInAtMostTwoLinesAndLeavesWithStatusOne) {
    const QStringList displays{"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const SilentDisplay silent;
    ASSERT_FALSE(silent.name.isEmpty());
    const Start starts[] = {
        {"nothing set", displays, {}, 1, "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {"X asked for", displays, {"QT_QPA_PLATFORM=xcb"}, 1, "DISPLAY is not set"},
        {"a display nobody serves",
         displays,
         {"DISPLAY=:9999"},
         1,
         "cannot open the display \":9999\""},
        {"a platform Qt lacks, asked for by the variable",
         displays,
         {"QT_QPA_PLATFORM=nosuch", "DISPLAY=:9999"},
         1,
         "tessaly: QT_QPA_PLATFORM asks for Qt's platform \"nosuch\""},
        {"a display that never answers",
         displays,
         {"DISPLAY=" + silent.name},
         1,
         "tessaly: the display \"" + silent.name + "\" does not answer"},
        {"no display needed",
         displays,
         {"QT_QPA_PLATFORM=offscreen", "TESSALY_EXIT_AFTER_FIRST_PAINT=1"},
         0,
         "first-paint"},
    };
    ResourceFolder folder;  // the start picture, so that no error box waits for an answer
    for (const Start& start : starts) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : start.unset) env.remove(name);
        for (const QString& pair : start.set)
            env.insert(pair.section('=', 0, 0), pair.section('=', 1));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QStringLiteral(TESSALY_BINARY), {});
        ASSERT_TRUE(program.waitForFinished(60000)) << start.what;
        const QString output = QString::fromUtf8(program.readAll());
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << start.what;
        EXPECT_EQ(program.exitCode(), start.status) << start.what;
        EXPECT_TRUE(output.contains(start.output)) << start.what << ": " << output.toStdString();
        if (start.status != 0) {
            // Ours is the last line; Qt's own reason may come before it, never its advice to
            // reinstall.
            const QStringList lines = output.trimmed().split('\n');
            EXPECT_LE(lines.size(), 2) << start.what;
            EXPECT_TRUE(lines.back().startsWith("tessaly: ")) << start.what;
            EXPECT_FALSE(output.contains("Reinstalling")) << start.what;
        }
    }
}

}  // namespace
}  // namespace tessaly::test

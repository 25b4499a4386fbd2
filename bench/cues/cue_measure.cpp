// cue_measure: the real game window, with its real sound output, plays automatically for a while
// and then by scripted clicks, while this program records the sound server's monitor. It writes
// the recording and a timeline of clicks for scripts/measure-cues to find the cue onsets in.
// A measurement, not a test: it needs a display and a sound server.
//   cue_measure <output folder> [auto-play seconds] [hand pairs] [pause after a pair, ms]
#include <pulse/error.h>
#include <pulse/simple.h>

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "game/game.h"
#include "ui/main_form.h"

namespace {

using Clock = std::chrono::steady_clock;

long long Micros(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::microseconds>(t.time_since_epoch()).count();
}

// Reads the monitor in 5 ms pieces and notes when each arrived; a silent stream of our own
// keeps the sink running, or the server would leave gaps in the recording between sounds.
class Recorder {
  public:
    bool Start(std::string& error) {
        const pa_sample_spec format{PA_SAMPLE_S16LE, 44100, 2};
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = 220 * 4;
        int code = 0;
        record_ = pa_simple_new(nullptr, "cue_measure", PA_STREAM_RECORD, "@DEFAULT_MONITOR@",
                                "monitor", &format, nullptr, &attr, &code);
        keep_ = pa_simple_new(nullptr, "cue_measure", PA_STREAM_PLAYBACK, nullptr, "silence",
                              &format, nullptr, nullptr, &code);
        if (!record_ || !keep_) {
            error = pa_strerror(code);
            return false;
        }
        reader_ = std::thread([this] {
            std::vector<int16_t> piece(220 * 2);
            int code = 0;
            while (running_ &&
                   pa_simple_read(record_, piece.data(), piece.size() * 2, &code) == 0) {
                const auto now = Clock::now();
                std::lock_guard lock(mutex_);
                samples_.insert(samples_.end(), piece.begin(), piece.end());
                marks_.push_back({samples_.size() / 2, Micros(now)});
            }
        });
        keeper_ = std::thread([this] {
            std::vector<int16_t> silence(441 * 2);
            int code = 0;
            while (running_) pa_simple_write(keep_, silence.data(), silence.size() * 2, &code);
        });
        return true;
    }
    // The monitor delivers nothing until the sink runs; what plays before that is not recorded.
    bool Recording() {
        std::lock_guard lock(mutex_);
        return !marks_.empty();
    }
    void Stop() {
        running_ = false;
        if (reader_.joinable()) reader_.join();
        if (keeper_.joinable()) keeper_.join();
        if (record_) pa_simple_free(record_);
        if (keep_) pa_simple_free(keep_);
    }
    void Write(const std::string& folder, std::ofstream& timeline) {
        std::lock_guard lock(mutex_);
        std::ofstream(folder + "/recording.raw", std::ios::binary)
            .write(reinterpret_cast<const char*>(samples_.data()),
                   static_cast<std::streamsize>(samples_.size() * 2));
        for (const auto& [frames, us] : marks_) timeline << "mark " << frames << ' ' << us << '\n';
    }

  private:
    pa_simple* record_ = nullptr;
    pa_simple* keep_ = nullptr;
    std::atomic<bool> running_{true};
    std::thread reader_, keeper_;
    std::mutex mutex_;
    std::vector<int16_t> samples_;
    std::vector<std::pair<std::size_t, long long>> marks_;
};

int Tiles(const tessaly::GameView& view) {
    int n = 0;
    for (const auto& column : view.Board())
        for (int32_t v : column) n += v != 0;
    return n;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: cue_measure <output folder> [auto seconds] [hand pairs] [pause ms]\n");
        return 2;
    }
    const std::string folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath().toStdString();
    const int autoSeconds = argc > 2 ? std::stoi(argv[2]) : 10;
    const int handPairs = argc > 3 ? std::stoi(argv[3]) : 10;
    const int pauseMs = argc > 4 ? std::stoi(argv[4]) : 650;
    std::ofstream timeline(folder + "/timeline.txt");

    Recorder recorder;
    std::string error;
    if (!recorder.Start(error)) {
        std::fprintf(stderr, "cue_measure: cannot record the monitor: %s\n", error.c_str());
        return 1;
    }
    for (int i = 0; i < 100 && !recorder.Recording(); ++i) QTest::qWait(50);
    if (!recorder.Recording()) {
        std::fprintf(stderr, "cue_measure: the monitor delivers no sound\n");
        recorder.Stop();
        return 1;
    }
    tessaly::MainForm form([](tessaly::UpdatePrompt&) {});
    form.show();
    QTest::qWait(500);

    // Automatic play: count removals by watching the board between the timer's ticks.
    form.TheGame().Command(tessaly::MenuItemId::MenuGameLow);
    int autoPairs = 0;
    int tiles = Tiles(form.TheGame().View());
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const int now = Tiles(form.TheGame().View());
        if (now < tiles) autoPairs += (tiles - now) / 2;
        tiles = now;
    });
    watch.start(1);
    timeline << "auto-start " << Micros(Clock::now()) << '\n';
    form.TheGame().Command(tessaly::MenuItemId::MenuAutoPlay);
    QTest::qWait(autoSeconds * 1000);
    form.TheGame().Command(tessaly::MenuItemId::MenuAutoPlay);
    QTest::qWait(700);
    watch.stop();
    timeline << "auto-end " << Micros(Clock::now()) << "\nauto-pairs " << autoPairs << '\n';

    // By hand: a new game, and each pair clicked where a player would click it.
    form.TheGame().Command(tessaly::MenuItemId::MenuGameLow);
    QTest::qWait(700);
    timeline << "hand-start " << Micros(Clock::now()) << '\n';
    int handRemoved = 0;
    auto click = [&](const tessaly::TCell& cell, const char* what) {
        timeline << "click " << what << ' ' << Micros(Clock::now()) << '\n';
        QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("MainPaintBox")), Qt::LeftButton,
                          {}, QPoint(tessaly::ColToX(cell.X) + 25, tessaly::RowToY(cell.Y) + 25));
    };
    for (int i = 0; i < handPairs; ++i) {
        // The stored hint: the first linkable pair, found again after every removal.
        const tessaly::TCell p = form.TheGame().View().HintPair[0];
        const tessaly::TCell q = form.TheGame().View().HintPair[1];
        if (p == tessaly::TCell{}) break;
        const int before = Tiles(form.TheGame().View());
        click(p, "select");
        QTest::qWait(350);
        click(q, "delete");
        QTest::qWait(pauseMs);
        handRemoved += Tiles(form.TheGame().View()) == before - 2;
    }
    timeline << "hand-end " << Micros(Clock::now()) << "\nhand-pairs " << handRemoved << '\n';
    QTest::qWait(300);

    recorder.Stop();
    recorder.Write(folder, timeline);
    return 0;
}

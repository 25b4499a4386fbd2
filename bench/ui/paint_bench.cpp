// Drawing costs on the largest board, offscreen: a full redraw reads all 198 picture files.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "drawing/app_icon.h"
#include "game/game.h"
#include "game/resource_layout.h"
#include "resource_folder.h"
#include "ui/main_form.h"
#include "ui/picture_reader.h"

namespace {

using tessaly::MainForm;

struct BenchWindow {
    tessaly::test::ResourceFolder folder;
    MainForm form{[](tessaly::UpdatePrompt&) {}, [] { return 2012u; }};
    BenchWindow() {
        form.show();
        form.TheGame().Command(tessaly::MenuItemId::MenuGameSpecial);  // 18 x 11 cells
    }
};

// Made on first use and gone before the application object is.
std::unique_ptr<BenchWindow> game;
BenchWindow& TheWindow() {
    if (!game) game = std::make_unique<BenchWindow>();
    return *game;
}

void FullRedrawOfTheLargestBoard(benchmark::State& state) {
    BenchWindow& game = TheWindow();
    for (auto _ : state) {
        game.form.MainPaintBoxPaint();
        benchmark::DoNotOptimize(game.form.BoardSurface().constBits());
    }
    state.counters["files"] =
        game.form.TheGame().View().ColCount() * game.form.TheGame().View().RowCount();
}
BENCHMARK(FullRedrawOfTheLargestBoard)->Unit(benchmark::kMillisecond)->Repetitions(9);

// The floor while every picture is read at each draw: open, read and close the 198 files of a
// full redraw, in its order, and nothing else.
void ReadingTheFilesAlone(benchmark::State& state) {
    BenchWindow& game = TheWindow();
    std::vector<std::string> paths;
    for (const auto& column : game.form.TheGame().View().Board()) {
        for (int32_t value : column) {
            paths.push_back(value != 0 ? tessaly::TilePicturePath("/pic1/", value)
                                       : tessaly::BackgroundPicturePath(1));
        }
    }
    std::vector<char> buffer(tessaly::CellPictureMaxBytes);
    for (auto _ : state) {
        for (const std::string& path : paths) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
            ::close(fd);
        }
    }
    state.counters["files"] = static_cast<double>(paths.size());
}
BENCHMARK(ReadingTheFilesAlone)->Unit(benchmark::kMillisecond)->Repetitions(9);

// What a function key costs the game: a new board of the next grade, the window fitted to it and
// repainted (offscreen, so no window manager takes part).
void NewGameOfEachGradeInTurn(benchmark::State& state) {
    BenchWindow& game = TheWindow();
    tessaly::Game& play = game.form.TheGame();
    using tessaly::MenuItemId;
    const std::array<MenuItemId, 4> grades{MenuItemId::MenuGameLow, MenuItemId::MenuGameMedium,
                                           MenuItemId::MenuGameHigh, MenuItemId::MenuGameSpecial};
    std::size_t next = 0;
    for (auto _ : state) {
        play.Command(grades[next++ % grades.size()]);
        QCoreApplication::processEvents();
    }
    play.Command(MenuItemId::MenuGameSpecial);
    QCoreApplication::processEvents();
}
BENCHMARK(NewGameOfEachGradeInTurn)->Unit(benchmark::kMillisecond)->Repetitions(9);

void MarkedCell(benchmark::State& state) {
    BenchWindow& game = TheWindow();
    for (auto _ : state) game.form.DrawMarkedCell(1, 1);
}
BENCHMARK(MarkedCell)->Unit(benchmark::kMicrosecond)->Repetitions(9);

void OnePictureFile(benchmark::State& state) {
    TheWindow();
    for (auto _ : state) benchmark::DoNotOptimize(tessaly::LoadBmpFile("./resource/pic1/7.bmp"));
}
BENCHMARK(OnePictureFile)->Unit(benchmark::kMicrosecond)->Repetitions(9);

// Part of the start-up before the first paint.
void MakingTheWindowIcon(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(tessaly::MakeAppIcon());
}
BENCHMARK(MakingTheWindowIcon)->Unit(benchmark::kMillisecond)->Repetitions(9);

}  // namespace

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    game.reset();
    return 0;
}

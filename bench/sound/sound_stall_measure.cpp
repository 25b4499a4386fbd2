// Drives the real window through a real sound server, stops the server (SIGSTOP) at a chosen
// moment and prints how long the window's calls take from then on:
//   sound_stall_measure <server pid> cue|music|bomb
// cue: a cue sounds, the server stops, the window closes.
// music: the music plays, the server stops, the music is switched off and on, the window closes.
// bomb: plays the Select cue once (put a hostile file there) and prints the peak resident size.
// Prints "close-start <ns>" (CLOCK_REALTIME) just before the close, so that the caller can time
// the whole way out of the process.
#include <signal.h>
#include <time.h>

#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include "engine/engine.h"
#include "game/game.h"
#include "ui/main_form.h"
#include "ui/music_module.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long long RealtimeNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

std::string Status(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return line;
    return {};
}

template <typename Call>
void Timed(const char* what, Call call) {
    const auto start = Clock::now();
    call();
    std::printf("%s %.1f ms\n", what, MsSince(start));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) return 2;
    const pid_t server = static_cast<pid_t>(std::stol(argv[1]));
    const std::string scenario = argv[2];
    QApplication app(argc, argv);
    tessaly::MusicModulePath() = QStringLiteral(TESSALY_MUSIC_MODULE);
    auto form =
        std::make_unique<tessaly::MainForm>([](tessaly::UpdatePrompt&) {}, [] { return 7u; });
    form->Errors().SetSink(
        [](const QString& text) { std::printf("error-box %s\n", text.toStdString().c_str()); });
    form->show();
    tessaly::Game& game = form->TheGame();
    game.Command(tessaly::MenuItemId::MenuGameLow);
    QAction* music = form->MenuAction("MenuOptionMusic");
    const auto pause = [](int ms) {
        const auto until = Clock::now() + std::chrono::milliseconds(ms);
        while (Clock::now() < until) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    };

    if (scenario == "bomb") {
        std::printf("before %s\n", Status("VmHWM").c_str());
        game.MouseDown(tessaly::ColToX(1), tessaly::RowToY(1));
        pause(3000);
        std::printf("after %s\n", Status("VmHWM").c_str());
    } else {
        if (scenario == "music") {
            Timed("music-on", [&] { music->trigger(); });
            pause(1000);
        } else {
            game.MouseDown(tessaly::ColToX(1), tessaly::RowToY(1));
            pause(50);
        }
        kill(server, SIGSTOP);
        pause(300);  // long enough for the writers to fill the server's buffer and block
        if (scenario == "music") {
            Timed("music-off-stopped", [&] { music->trigger(); });
            Timed("music-on-stopped", [&] { music->trigger(); });
        }
    }
    std::printf("close-start %lld\n", RealtimeNs());
    std::fflush(stdout);
    Timed("close", [&] {
        form->close();
        form.reset();
    });
    return 0;
}

// music_memory: plays 200 short pieces one after another, offline and through a render thread,
// and prints how much the resident memory grew. A measurement, not a test: run it by hand.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "ui/music_player.h"

namespace {

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Takes frames as fast as they come, so that a piece is over in a few milliseconds.
class NullOutput : public tessaly::AudioOutput {
  public:
    bool Write(const int16_t*, std::size_t) override {
        std::this_thread::yield();
        return true;
    }
    void Flush() override {}
};

std::string WriteTune() {
    const std::vector<unsigned char> track = {0x00, 0xC0, 0x00, 0x00, 0x90, 60,   100, 0x60,
                                              0x80, 60,   0,    0x00, 0xFF, 0x2F, 0x00};
    std::vector<unsigned char> file = {
        'M', 'T', 'h', 'd', 0,   0,   0,   6, 0, 0, 0,
        1,   0,   96,  'M', 'T', 'r', 'k', 0, 0, 0, static_cast<unsigned char>(track.size())};
    file.insert(file.end(), track.begin(), track.end());
    const auto path = std::filesystem::temp_directory_path() /
                      ("tessaly-music-memory-" + std::to_string(::getpid()) + ".mid");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    return path.string();
}

void Measure(const char* label, tessaly::MusicPlayerOptions options, const std::string& tune) {
    tessaly::MusicPlayer player(options);
    auto playOne = [&] {
        if (!player.Open(tune).empty()) return false;
        player.Play();
        for (int i = 0; i < 100000 && player.Position() < player.Length(); ++i) {
            if (options.offline)
                player.RenderOffline(512);
            else
                std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    };
    for (int i = 0; i < 10; ++i) playOne();  // SoundFont samples and allocator pools settle
    const long before = ResidentKb();
    int played = 0;
    for (int i = 0; i < 200; ++i) played += playOne();
    const long after = ResidentKb();
    std::printf("%-14s %3d pieces  RSS %ld kB -> %ld kB  growth %+ld kB\n", label, played, before,
                after, after - before);
}

}  // namespace

int main() {
    const std::string tune = WriteTune();
    tessaly::MusicPlayerOptions offline;
    offline.offline = true;
    Measure("offline", offline, tune);
    tessaly::MusicPlayerOptions threaded;
    threaded.output = [](std::string&) { return std::make_unique<NullOutput>(); };
    Measure("render thread", threaded, tune);
    std::filesystem::remove(tune);
    return 0;
}

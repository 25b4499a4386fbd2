// soundmeasure: loudness (EBU R128), level and length figures for the generated cues and music, for
// a listening check that can be repeated without ears. MIDI files are rendered offline through
// FluidSynth.
//   soundmeasure <resource folder> [SoundFont] [synth gain]
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "loudness.h"

namespace fs = std::filesystem;

namespace {

double Db(double linear) {
    return linear > 0.0 ? 20.0 * std::log10(linear) : -200.0;
}

// Our own cues only: canonical 44-byte header, 16-bit mono.
bool MeasureWav(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
    if (bytes.size() < 44) return false;
    std::vector<int> samples;
    for (std::size_t i = 44; i + 1 < bytes.size(); i += 2) {
        samples.push_back(static_cast<std::int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    }
    int peak = 0;
    double energy = 0.0;
    for (int s : samples) {
        peak = std::max(peak, std::abs(s));
        energy += double(s) * s;
    }
    std::size_t tail = 0;
    while (tail < samples.size() && std::abs(samples[samples.size() - 1 - tail]) <= 3) ++tail;
    const double sound = double(samples.size() - tail);
    std::vector<double> heard;
    for (int s : samples) heard.push_back(s / 32768.0);
    std::printf("%-16s %6.3f s  peak %6.2f dBFS  rms %6.2f dBFS  %6.2f LUFS  silent tail %5.3f s\n",
                path.filename().c_str(), samples.size() / 44100.0, Db(peak / 32768.0),
                Db(std::sqrt(energy / std::max(1.0, sound)) / 32768.0),
                tessaly::IntegratedLoudness(heard, 1, 44100), tail / 44100.0);
    return true;
}

bool MeasureMidi(const fs::path& path, const std::string& soundFont, double gain) {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 44100.0);
    fluid_settings_setnum(settings, "synth.gain", gain);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = nullptr;
    bool ok = fluid_synth_sfload(synth, soundFont.c_str(), 1) != FLUID_FAILED;
    if (ok) {
        player = new_fluid_player(synth);
        ok = fluid_player_add(player, path.c_str()) == FLUID_OK &&
             fluid_player_play(player) == FLUID_OK;
    }
    if (ok) {
        constexpr int kBlock = 512;
        std::vector<float> left(kBlock), right(kBlock), both;
        double peak = 0.0, energy = 0.0;
        long frames = 0, lastLoud = 0;
        const long limit = 200L * 44100;  // a runaway file must not run forever
        while (fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && frames < limit) {
            fluid_synth_write_float(synth, kBlock, left.data(), 0, 1, right.data(), 0, 1);
            for (int i = 0; i < kBlock; ++i) {
                const double m = std::max(std::abs(left[i]), std::abs(right[i]));
                peak = std::max(peak, m);
                energy += 0.5 * (double(left[i]) * left[i] + double(right[i]) * right[i]);
                if (m > 0.001) lastLoud = frames + i;
                both.push_back(left[i]);
                both.push_back(right[i]);
            }
            frames += kBlock;
        }
        std::printf("%-16s %7.2f s audible  peak %6.2f dBFS  rms %6.2f dBFS  %6.2f LUFS\n",
                    path.filename().c_str(), lastLoud / 44100.0, Db(peak),
                    Db(std::sqrt(energy / std::max(1L, lastLoud))),
                    tessaly::IntegratedLoudness(both, 2, 44100));
    }
    if (player) delete_fluid_player(player);
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <resource folder> [SoundFont] [synth gain]\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    const std::string soundFont = argc > 2 ? argv[2] : "/usr/share/sounds/sf2/TimGM6mb.sf2";
    const double gain = argc > 3 ? std::stod(argv[3]) : 0.4;  // the game's music gain
    bool ok = true;
    std::vector<fs::path> files;
    for (const char* folder : {"Sound", "midi"}) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(root / folder, ec)) files.push_back(entry);
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files) {
        const bool done = f.extension() == ".wav" ? MeasureWav(f) : MeasureMidi(f, soundFont, gain);
        if (!done) std::fprintf(stderr, "cannot measure %s\n", f.c_str());
        ok = ok && done;
    }
    return ok && !files.empty() ? 0 : 1;
}

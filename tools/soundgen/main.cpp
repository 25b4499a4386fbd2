// soundgen: writes the game's sound cues and music into <resource folder>/Sound and /midi.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "arranger.h"
#include "byte_io.h"
#include "cues.h"
#include "tunes.h"
#include "wav_writer.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resource folder>\n", argv[0]);
        return 2;
    }
    try {
        const fs::path root = argv[1];
        fs::create_directories(root / "Sound");
        fs::create_directories(root / "midi");

        for (const tessaly::Cue& cue : tessaly::MakeCues()) {
            tessaly::WriteWav(root / "Sound" / (std::string(cue.name) + ".wav"), cue.samples);
        }
        int number = 1;
        for (const tessaly::Tune& tune : tessaly::Tunes()) {
            const tessaly::Arrangement piece = tessaly::Arrange(tune);
            const fs::path path = root / "midi" / ("music" + std::to_string(number++) + ".mid");
            tessaly::WriteFileBytes(path, tessaly::EncodeSmf(piece.tracks));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soundgen: %s\n", e.what());
        return 1;
    }
    return 0;
}

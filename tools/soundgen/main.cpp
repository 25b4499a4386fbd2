// soundgen: writes the game's sound cues and music into <resource folder>/Sound and /midi.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "arranger.h"
#include "byte_io.h"
#include "cues.h"
#include "game/resource_layout.h"
#include "tunes.h"
#include "wav_writer.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resource folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::string root = argv[1];
        // Each file goes into its folder, made first if need be.
        const auto inFolder = [](const std::string& file) {
            const fs::path path = file;
            fs::create_directories(path.parent_path());
            return path;
        };

        for (const tessaly::Cue& cue : tessaly::MakeCues()) {
            tessaly::WriteWav(inFolder(tessaly::CuePath(cue.name, root)), cue.samples);
        }
        const auto tunes = tessaly::Tunes();
        if (tunes.size() != static_cast<std::size_t>(tessaly::MusicPieceCount)) {
            throw std::runtime_error(std::to_string(tunes.size()) + " tunes for " +
                                     std::to_string(tessaly::MusicPieceCount) + " music files");
        }
        int number = 1;
        for (const tessaly::Tune& tune : tunes) {
            const tessaly::Arrangement piece = tessaly::Arrange(tune);
            tessaly::WriteFileBytes(inFolder(tessaly::MusicPath(number++, root)),
                                    tessaly::EncodeSmf(piece.tracks));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "soundgen: %s\n", e.what());
        return 1;
    }
    return 0;
}

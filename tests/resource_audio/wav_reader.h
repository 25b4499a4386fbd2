#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessaly::test {

struct WavData {
    int format = 0;  // 1 = PCM
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;  // interleaved, 16-bit files only
};

// A RIFF/WAVE reader that walks the chunks as any player would, so a file our writer got wrong
// is caught here rather than by a player. Throws std::runtime_error saying what is wrong.
WavData ReadWav(const std::filesystem::path& path);

// The first channel's samples.
std::vector<int> FirstChannel(const WavData& wav);

}  // namespace tessaly::test

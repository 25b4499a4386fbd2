#include "wav_reader.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tessaly::test {

namespace {

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > b.size()) throw std::runtime_error("file cut short");
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

}  // namespace

WavData ReadWav(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path.string());
    const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(file)), {});
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        throw std::runtime_error("not a RIFF/WAVE file");
    }
    if (Le(b, 4, 4) + 8 != b.size()) throw std::runtime_error("RIFF size does not match the file");

    WavData wav;
    bool haveFormat = false, haveData = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id(b.begin() + static_cast<long>(at),
                             b.begin() + static_cast<long>(at) + 4);
        const std::uint32_t size = Le(b, at + 4, 4);
        const std::size_t body = at + 8;
        if (body + size > b.size()) throw std::runtime_error("chunk " + id + " runs past the end");
        if (id == "fmt ") {
            wav.format = static_cast<int>(Le(b, body, 2));
            wav.channels = static_cast<int>(Le(b, body + 2, 2));
            wav.sampleRate = static_cast<int>(Le(b, body + 4, 4));
            const std::uint32_t byteRate = Le(b, body + 8, 4);
            const std::uint32_t align = Le(b, body + 12, 2);
            wav.bitsPerSample = static_cast<int>(Le(b, body + 14, 2));
            if (align != static_cast<std::uint32_t>(wav.channels * wav.bitsPerSample / 8) ||
                byteRate != align * static_cast<std::uint32_t>(wav.sampleRate)) {
                throw std::runtime_error("inconsistent fmt chunk");
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) throw std::runtime_error("data before fmt");
            if (wav.bitsPerSample != 16) throw std::runtime_error("not 16-bit");
            if (size % static_cast<std::uint32_t>(2 * wav.channels) != 0) {
                throw std::runtime_error("data chunk holds a partial frame");
            }
            for (std::size_t i = 0; i < size; i += 2) {
                wav.samples.push_back(static_cast<std::int16_t>(Le(b, body + i, 2)));
            }
            haveData = true;
        }
        at = body + size + (size & 1);  // chunks are padded to even sizes
    }
    if (!haveFormat || !haveData) throw std::runtime_error("fmt or data chunk missing");
    return wav;
}

std::vector<int> FirstChannel(const WavData& wav) {
    std::vector<int> out;
    for (std::size_t i = 0; i < wav.samples.size(); i += static_cast<std::size_t>(wav.channels)) {
        out.push_back(wav.samples[i]);
    }
    return out;
}

}  // namespace tessaly::test

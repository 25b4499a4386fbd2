#include "ui/wave_file.h"

#include <algorithm>

namespace tessaly {

namespace {

uint32_t Le32(std::string_view b, std::size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

uint16_t Le16(std::string_view b, std::size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1])
                                                                   << 8);
}

struct Format {
    int channels = 0;
    int rate = 0;
    int bits = 0;
};

std::optional<Format> ReadFormat(std::string_view chunk) {
    if (chunk.size() < 16) return std::nullopt;
    const uint16_t tag = Le16(chunk, 0);
    constexpr uint16_t Pcm = 1, Extensible = 0xFFFE;
    if (tag != Pcm && tag != Extensible) return std::nullopt;
    // The extensible form names its real encoding in the first two bytes of its sub-format.
    if (tag == Extensible && (chunk.size() < 26 || Le16(chunk, 24) != Pcm)) return std::nullopt;
    const Format f{Le16(chunk, 2), static_cast<int>(Le32(chunk, 4)), Le16(chunk, 14)};
    if (f.channels < 1 || f.channels > 2 || (f.bits != 8 && f.bits != 16)) return std::nullopt;
    if (f.rate < 4000 || f.rate > 192000) return std::nullopt;
    if (Le16(chunk, 12) != f.channels * f.bits / 8) return std::nullopt;  // block align
    return f;
}

int16_t SampleAt(std::string_view data, std::size_t index, int bits) {
    if (bits == 8) return static_cast<int16_t>((static_cast<uint8_t>(data[index]) - 128) * 256);
    return static_cast<int16_t>(Le16(data, index * 2));
}

// Linear interpolation is plenty for short cues; the generated ones are at the output rate and
// pass through unchanged. Nothing is allocated for a sound longer than the cap.
std::optional<CueSound> Convert(std::string_view data, const Format& f) {
    const std::size_t inFrames = data.size() / static_cast<std::size_t>(f.channels * f.bits / 8);
    const auto in = [&](std::size_t frame, int channel) {
        const int c = std::min(channel, f.channels - 1);
        return SampleAt(data,
                        frame * static_cast<std::size_t>(f.channels) + static_cast<std::size_t>(c),
                        f.bits);
    };
    CueSound out;
    if (inFrames == 0) return out;
    const double step = static_cast<double>(f.rate) / AudioRate;
    const auto outFrames = static_cast<std::size_t>(static_cast<double>(inFrames) / step);
    if (outFrames > MaxCueFrames) return std::nullopt;
    out.samples.reserve(outFrames * AudioChannels);
    for (std::size_t i = 0; i < outFrames; ++i) {
        const double at = static_cast<double>(i) * step;
        const auto i0 = std::min(static_cast<std::size_t>(at), inFrames - 1);
        const std::size_t i1 = std::min(i0 + 1, inFrames - 1);
        const double w = at - static_cast<double>(i0);
        for (int c = 0; c < AudioChannels; ++c)
            out.samples.push_back(static_cast<int16_t>(in(i0, c) * (1.0 - w) + in(i1, c) * w));
    }
    return out;
}

}  // namespace

std::optional<CueSound> DecodeWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return std::nullopt;
    // The RIFF chunk may not claim more than the file holds; bytes after it are not ours.
    const uint64_t riffEnd = uint64_t{Le32(bytes, 4)} + 8;
    if (riffEnd > bytes.size() || riffEnd < 12) return std::nullopt;
    const std::string_view riff = bytes.substr(0, static_cast<std::size_t>(riffEnd));

    std::optional<Format> format;
    std::size_t at = 12;
    while (at + 8 <= riff.size()) {
        const std::string_view id = riff.substr(at, 4);
        const uint64_t size = Le32(riff, at + 4);
        if (size > riff.size() - at - 8) return std::nullopt;
        const std::string_view body = riff.substr(at + 8, static_cast<std::size_t>(size));
        if (id == "fmt ") {
            format = ReadFormat(body);
            if (!format) return std::nullopt;
        } else if (id == "data") {
            if (!format) return std::nullopt;  // samples before their format mean nothing
            return Convert(body, *format);
        }
        at += 8 + static_cast<std::size_t>(size) + (size & 1);  // chunks are padded to even sizes
    }
    return std::nullopt;
}

}  // namespace tessaly

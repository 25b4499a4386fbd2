// Wave files of one constant sample value (one per channel), so that every captured sample tells
// whose it is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly::test {

inline std::string Le(uint32_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFF));
    return out;
}

struct WaveSpec {
    int16_t value = -2000;
    uint32_t frames = 4410;
    uint32_t rate = 44100;
    uint16_t channels = 1;
    uint16_t bits = 16;
    std::optional<int16_t> right{};  // the right channel's value, when it differs
};

inline std::string Wave(const WaveSpec& w) {
    std::string data;
    for (uint32_t i = 0; i < w.frames * w.channels; ++i) {
        const int16_t v = i % 2 == 1 && w.channels == 2 ? w.right.value_or(w.value) : w.value;
        data += w.bits == 8 ? Le(static_cast<uint32_t>(v / 256 + 128), 1)
                            : Le(static_cast<uint16_t>(v), 2);
    }
    const uint16_t align = static_cast<uint16_t>(w.channels * w.bits / 8);
    const std::string fmt = "fmt " + Le(16, 4) + Le(1, 2) + Le(w.channels, 2) + Le(w.rate, 4) +
                            Le(w.rate * align, 4) + Le(align, 2) + Le(w.bits, 2);
    const std::string body =
        "WAVE" + fmt + "data" + Le(static_cast<uint32_t>(data.size()), 4) + data;
    return "RIFF" + Le(static_cast<uint32_t>(body.size()), 4) + body;
}

}  // namespace tessaly::test

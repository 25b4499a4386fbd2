#include "wav_writer.h"

#include "byte_io.h"

namespace tessaly {

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples) {
    constexpr std::uint32_t kChannels = 1;
    constexpr std::uint32_t kBytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    AppendTag(out, "RIFF");
    AppendLe(out, 36 + dataBytes, 4);
    AppendTag(out, "WAVE");
    AppendTag(out, "fmt ");
    AppendLe(out, 16, 4);
    AppendLe(out, 1, 2);  // PCM
    AppendLe(out, kChannels, 2);
    AppendLe(out, kSampleRate, 4);
    AppendLe(out, kSampleRate * kChannels * kBytesPerSample, 4);
    AppendLe(out, kChannels * kBytesPerSample, 2);
    AppendLe(out, 16, 2);
    AppendTag(out, "data");
    AppendLe(out, dataBytes, 4);
    for (std::int16_t s : samples) AppendLe(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

void WriteWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples) {
    WriteFileBytes(path, EncodeWav(samples));
}

}  // namespace tessaly

#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tessaly {

// 16-bit PCM mono at 44.1 kHz: what every sound back end the game meets plays without resampling
// surprises.
inline constexpr int kSampleRate = 44100;

// The bytes of a canonical RIFF/WAVE file holding the given mono samples.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples);

// Writes the file; throws std::runtime_error naming the path when it cannot.
void WriteWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples);

}  // namespace tessaly

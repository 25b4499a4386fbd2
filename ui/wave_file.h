// Wave files named like cues come from a folder anyone can write to: they are checked chunk by
// chunk against the bytes actually read before a single sample is played.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/audio_output.h"

namespace tessaly {

// A cue in the output's format, whatever the file held.
struct CueSound {
    std::vector<int16_t> samples;  // interleaved left, right
    std::size_t Frames() const { return samples.size() / AudioChannels; }
};

// The longest cue we play: a file small enough to read can still hold far more sound than a cue,
// and 8-bit mono at 4 kHz grows 44 times on its way to the output.
inline constexpr std::size_t MaxCueFrames = 10 * AudioRate;

// Decodes uncompressed PCM (8 or 16 bits, mono or stereo, 4 to 192 kHz) into the output format.
// Returns nothing for a file that is not such a wave file, whose chunks claim more than it
// holds, or that would play longer than MaxCueFrames; a valid file without samples gives an
// empty sound.
std::optional<CueSound> DecodeWave(std::string_view bytes);

}  // namespace tessaly

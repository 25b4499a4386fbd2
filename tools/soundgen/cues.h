#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tessaly {

struct Cue {
    std::string_view name;  // the file is Sound/<name>.wav
    std::vector<std::int16_t> samples;
};

// Every peak sits here: loud enough next to the music, with headroom for resampling.
inline constexpr double kCuePeakDbfs = -3.0;
// Back ends that trim short sounds eat the end of a cue; this much silence keeps it whole.
inline constexpr double kCueTailSeconds = 0.2;

// The seven cues the game plays, synthesised afresh (same samples on every call).
std::vector<Cue> MakeCues();

}  // namespace tessaly

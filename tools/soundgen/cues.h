#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tessaly {

struct Cue {
    std::string_view name;  // the file is Sound/<name>.wav
    std::vector<std::int16_t> samples;
};

// Every cue is set to this integrated loudness (EBU R128, LUFS), as the game plays it on both
// speakers: a tick and a fanfare then sound equally strong, whatever their peaks.
inline constexpr double kCueLoudnessLufs = -20.0;
// A refusal or a lost game should never shout louder than a success.
inline constexpr double kFailureCueLoudnessLufs = -20.5;
// Headroom left at the loudest sample; the sparsest cue (REARRANGE) comes closest to it.
inline constexpr double kCueMaxPeakDbfs = -1.0;
// Back ends that trim short sounds eat the end of a cue; this much silence keeps it whole.
inline constexpr double kCueTailSeconds = 0.2;

// The seven cues the game plays, synthesised afresh (same samples on every call).
std::vector<Cue> MakeCues();

}  // namespace tessaly

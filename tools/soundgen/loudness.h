// Loudness as listeners hear it: K-weighted, gated integrated loudness (EBU R128) through
// Debian's libebur128, shared by the generator and by the tests that check its output.
#pragma once

#include <vector>

namespace tessaly {

// In LUFS; -HUGE_VAL for silence. `samples` are interleaved when channels is 2. A mono signal is
// measured as the game plays it, the same on both speakers.
double IntegratedLoudness(const std::vector<double>& samples, int channels, int rate);
double IntegratedLoudness(const std::vector<float>& samples, int channels, int rate);

}  // namespace tessaly

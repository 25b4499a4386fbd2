#pragma once

#include <vector>

#include "smf_writer.h"
#include "tunes.h"

namespace tessaly {

// The length every piece aims at; the verse count is chosen to come closest.
inline constexpr double kTargetSeconds = 100.0;
// What we accept: long enough not to repeat every minute, short enough to give every piece a turn.
inline constexpr double kShortestSeconds = 60.0;
inline constexpr double kLongestSeconds = 180.0;

struct Arrangement {
    std::vector<SmfTrack> tracks;  // tempo map first, then lead, followers, accompaniment, bass
    int verses = 0;
    double seconds = 0.0;  // to the last note off, ritardando included
};

// Turns a tune into a whole piece: verses in turn with other lead instruments, accompaniment
// styles and, after the first verse, a harmony or canon voice; a slowing final bar on the tonic.
// Throws NotationError for a tune whose note and chord lists do not fit together, and
// std::runtime_error when the piece would not fit the length limits.
Arrangement Arrange(const Tune& tune);

}  // namespace tessaly

#pragma once

#include <cstdint>
#include <vector>

#include "notation.h"
#include "smf_writer.h"
#include "tunes.h"

namespace tessaly {

// Where one pass of a chord list lands, all in sixteenths.
struct Placement {
    int offset;  // of the chord list's time 0 in the piece
    int bar;     // bar length
    int pickup;  // the first bar line falls this far into the list
    int pulse;   // the felt beat: a quarter, or a dotted quarter in 6/8
};

// The felt beat of a time signature, in sixteenths.
int PulseOf(int beatsPerBar, int beatUnit);

// The ticks a note of this many sixteenths sounds, a little short of its full length so that
// repeated notes are heard as repeated.
std::uint32_t ArticulatedTicks(int sixteenths);

// Writes the chords as accompaniment figures into pad and bass (chords without a root are
// silent). Every note ends by the end of its chord.
void Accompany(SmfTrack& pad, int padChannel, SmfTrack& bass, int bassChannel,
               const std::vector<ScoreChord>& chords, Accompaniment style, const Placement& where);

}  // namespace tessaly

#pragma once

#include <array>
#include <span>
#include <string_view>

namespace tessaly {

// How the accompaniment moves under the tune.
enum class Accompaniment {
    Waltz,      // bass on the first beat, chord on the others
    Alberti,    // low-high-middle-high broken chord in eighths
    Arpeggio,   // rolling eighths up and down the chord
    Sustained,  // held chords, bass on each chord and bar
    March,      // bass root and fifth on the beats, chord on the off-beats
};

// One melody as written down, with its harmony and how we like it played. Note and chord lists
// use the notation of notation.h; both must cover the same number of sixteenths, a whole number
// of bars (a tune with a pickup has its last bar shortened by as much).
struct Tune {
    std::string_view title;
    int beatsPerBar;
    int beatUnit;  // 4 or 8
    int pickup;    // sixteenths before the first bar line
    double tempo;  // quarter notes per minute
    std::string_view melody;
    std::string_view chords;
    std::array<int, 3> leadPrograms;  // General MIDI programs, one per verse in turn
    int padProgram;
    int bassProgram;
    std::array<Accompaniment, 2> styles;  // alternate verse by verse
    std::array<int, 2> canonDelays;       // sixteenths after which followers enter; 0 = no follower
    // Evens out loudness between pieces (measured through the game's SoundFont): plucked and
    // struck leads fade quickly and sound quieter than sustained ones at the same velocity.
    double levelDb = 0.0;
};

// The fifteen pieces, music1 to music15 in this order.
std::span<const Tune> Tunes();

}  // namespace tessaly

#pragma once

#include <stdexcept>
#include <string_view>
#include <vector>

namespace tessaly {

// Times and lengths in the note lists are counted in sixteenth notes.

struct ScoreNote {
    int key;  // MIDI key; kRest for a rest
    int start;
    int length;
};
inline constexpr int kRest = -1;

struct ScoreChord {
    int root;  // pitch class 0 (C) to 11; kNoChord for a bar without accompaniment
    std::vector<int> intervals;  // semitones above the root, root (0) included
    int start;
    int length;
};
inline constexpr int kNoChord = -1;

// Raised for a malformed note list; the message names the offending token.
class NotationError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// A melody: whitespace- or bar-separated tokens "<letter>[#|b]<octave>[:<length>]" or
// "R[:<length>]", e.g. "E5:4 D#5 R:2 C4:8". A token without a length keeps the previous
// one (the first must give it). Octave 4 holds middle C (key 60). "|" marks a bar line and is
// only there for the reader.
std::vector<ScoreNote> ParseMelody(std::string_view text);

// A chord line: "<root>[#|b][quality][:<length>]" with the qualities "" (major), "m", "7",
// "m7", "maj7", "dim", "sus2", "sus4" and "5" (root and fifth only), or "N" for no chord.
std::vector<ScoreChord> ParseChords(std::string_view text);

// The summed length of a list.
int TotalLength(const std::vector<ScoreNote>& notes);
int TotalLength(const std::vector<ScoreChord>& chords);

}  // namespace tessaly

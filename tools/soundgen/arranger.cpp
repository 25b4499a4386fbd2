#include "arranger.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "accompaniment.h"
#include "notation.h"

namespace tessaly {

namespace {

constexpr int kTicks16 = kTicksPerQuarter / 4;
constexpr int kClearOfChords = 69;  // A4: the accompaniment's chords lie below it

enum Channel { kLead = 0, kFollower1 = 1, kPad = 2, kBass = 3, kFollower2 = 4 };

struct Channels {
    SmfTrack lead, followers, pad, bass;
};

void Check(const Tune& tune, const std::vector<ScoreNote>& melody,
           const std::vector<ScoreChord>& chords, int bar) {
    const std::string name(tune.title);
    if (TotalLength(melody) == 0) throw NotationError(name + ": no notes");
    if (TotalLength(melody) != TotalLength(chords)) {
        throw NotationError(name + ": melody covers " + std::to_string(TotalLength(melody)) +
                            " sixteenths, chords " + std::to_string(TotalLength(chords)));
    }
    if (tune.pickup < 0 || tune.pickup >= bar || TotalLength(melody) % bar != 0) {
        throw NotationError(name + ": not a whole number of bars");
    }
}

// The highest chord tone at least a minor third and at most a sixth below the melody note.
int HarmonyBelow(int key, const ScoreChord& chord) {
    for (int k = key - 3; k >= key - 9; --k) {
        for (int interval : chord.intervals) {
            if ((k - chord.root - interval) % 12 == 0) return k;
        }
    }
    return kRest;
}

const ScoreChord& ChordAt(const std::vector<ScoreChord>& chords, int time) {
    for (const ScoreChord& c : chords) {
        if (time < c.start + c.length) return c;
    }
    return chords.back();
}

void PlayMelody(SmfTrack& track, int channel, const std::vector<ScoreNote>& melody, int offset,
                int shift, int velocity, int delay, int verseEnd, int bar, int pickup) {
    for (const ScoreNote& n : melody) {
        const int start = n.start + delay;
        if (n.key == kRest || start >= verseEnd) continue;
        const int length = std::min(n.length, verseEnd - start);
        const bool downbeat = (start - delay - pickup) % bar == 0;
        track.Note(static_cast<std::uint32_t>((offset + start) * kTicks16),
                   ArticulatedTicks(length), channel, n.key + shift,
                   std::min(127, velocity + (downbeat ? 8 : 0)));
    }
}

void PlayHarmony(SmfTrack& track, const std::vector<ScoreNote>& melody,
                 const std::vector<ScoreChord>& chords, int offset, int shift, int velocity) {
    for (const ScoreNote& n : melody) {
        // Only the longer notes: a second voice on every quaver would clutter the tune.
        if (n.key == kRest || n.length < 4) continue;
        const ScoreChord& chord = ChordAt(chords, n.start);
        if (chord.root == kNoChord) continue;
        const int key = HarmonyBelow(n.key, chord);
        if (key == kRest) continue;
        track.Note(static_cast<std::uint32_t>((offset + n.start) * kTicks16),
                   ArticulatedTicks(n.length), kFollower1, key + shift, velocity);
    }
}

// Channel volume follows 40 log10(value / 127) dB in General MIDI synthesisers.
void SetUpChannel(SmfTrack& track, int channel, int volume, int pan, int reverb, double levelDb) {
    const double scaled = volume * std::pow(10.0, levelDb / 40.0);
    track.Controller(0, channel, 7, std::clamp(static_cast<int>(std::lround(scaled)), 1, 127));
    track.Controller(0, channel, 10, pan);
    track.Controller(0, channel, 91, reverb);
}

double SecondsOf(int sixteenths, double tempo) {
    return sixteenths / 4.0 * 60.0 / tempo;
}

}  // namespace

Arrangement Arrange(const Tune& tune) {
    const std::vector<ScoreNote> melody = ParseMelody(tune.melody);
    const std::vector<ScoreChord> chords = ParseChords(tune.chords);
    if ((tune.beatUnit != 4 && tune.beatUnit != 8) || tune.beatsPerBar <= 0 || !(tune.tempo > 0)) {
        throw NotationError(std::string(tune.title) + ": bad time signature or tempo");
    }
    const int bar = tune.beatsPerBar * 16 / tune.beatUnit;
    Check(tune, melody, chords, bar);

    const int verseLength = TotalLength(melody);
    const double verseSeconds = SecondsOf(verseLength, tune.tempo);
    const int verses = std::max(1, static_cast<int>(std::lround(kTargetSeconds / verseSeconds)));

    int highest = 0, lowest = 127;
    double keySum = 0.0, keyWeight = 0.0;
    for (const ScoreNote& n : melody) {
        if (n.key == kRest) continue;
        highest = std::max(highest, n.key);
        lowest = std::min(lowest, n.key);
        keySum += double(n.key) * n.length;
        keyWeight += n.length;
    }
    // A tune that mostly lies below A4 would sit in the chords' register and blur; lift it.
    const int lift = keySum < kClearOfChords * keyWeight ? 12 : 0;

    Arrangement out;
    out.verses = verses;
    SmfTrack tempo;
    tempo.Name(tune.title);
    tempo.TimeSignature(0, tune.beatsPerBar, tune.beatUnit);
    tempo.Tempo(0, tune.tempo);

    Channels ch;
    ch.lead.Name("Melody");
    ch.followers.Name("Second voices");
    ch.pad.Name("Accompaniment");
    ch.bass.Name("Bass");
    // Volumes leave about 4 dB of room so that quieter pieces can be brought up to the rest.
    SetUpChannel(ch.lead, kLead, 90, 64, 50, tune.levelDb);
    SetUpChannel(ch.followers, kFollower1, 64, 40, 60, tune.levelDb);
    SetUpChannel(ch.followers, kFollower2, 59, 88, 60, tune.levelDb);
    SetUpChannel(ch.pad, kPad, 62, 84, 60, tune.levelDb);
    SetUpChannel(ch.bass, kBass, 78, 60, 40, tune.levelDb);
    ch.pad.Program(0, kPad, tune.padProgram);
    ch.bass.Program(0, kBass, tune.bassProgram);

    const bool canon = tune.canonDelays[0] > 0;
    for (int v = 0; v < verses; ++v) {
        const int offset = v * verseLength;
        const auto at = static_cast<std::uint32_t>(offset * kTicks16);
        // Every other verse an octave up, where the tune leaves room, for a lighter colour.
        const int shift = lift + ((v % 2 == 1 && highest + lift + 12 <= 86) ? 12 : 0);
        const int velocity = v == 0 ? 80 : 90;
        ch.lead.Program(at, kLead, tune.leadPrograms[static_cast<std::size_t>(v) % 3]);
        PlayMelody(ch.lead, kLead, melody, offset, shift, velocity, 0, verseLength, bar,
                   tune.pickup);

        if (v > 0 && canon) {
            const Channel voices[] = {kFollower1, kFollower2};
            for (std::size_t i = 0; i < 2; ++i) {
                if (tune.canonDelays[i] <= 0) continue;
                const int low = lift + ((i == 1 && lowest + lift - 12 >= 48) ? -12 : 0);
                ch.followers.Program(at, voices[i], tune.leadPrograms[(v + i + 1) % 3]);
                PlayMelody(ch.followers, voices[i], melody, offset, low, 72, tune.canonDelays[i],
                           verseLength, bar, tune.pickup);
            }
        } else if (v > 0) {
            ch.followers.Program(at, kFollower1, tune.leadPrograms[(v + 1) % 3]);
            PlayHarmony(ch.followers, melody, chords, offset, shift, 64);
        }

        const Accompaniment style = tune.styles[static_cast<std::size_t>(v) % 2];
        Accompany(ch.pad, kPad, ch.bass, kBass, chords, style,
                  {.offset = offset,
                   .bar = bar,
                   .pickup = tune.pickup,
                   .pulse = PulseOf(tune.beatsPerBar, tune.beatUnit)});
    }

    // A closing bar on the last chord, held, while the tempo eases off.
    const int end = verses * verseLength;
    const ScoreChord& last = chords.back();
    if (last.root != kNoChord) {
        ScoreChord closing = last;
        closing.start = 0;
        closing.length = bar;
        Accompany(ch.pad, kPad, ch.bass, kBass, {closing}, Accompaniment::Sustained,
                  {.offset = end, .bar = bar, .pickup = 0, .pulse = bar});
    }
    struct Ease {
        int at;
        double factor;
    };
    const Ease eases[] = {{end - bar, 0.92}, {end - bar / 2, 0.84}, {end, 0.72}};
    for (const Ease& e : eases) {
        tempo.Tempo(static_cast<std::uint32_t>(e.at * kTicks16), tune.tempo * e.factor);
    }
    out.seconds = SecondsOf(end - bar, tune.tempo) + SecondsOf(bar / 2, tune.tempo * 0.92) +
                  SecondsOf(bar - bar / 2, tune.tempo * 0.84) + SecondsOf(bar, tune.tempo * 0.72);

    if (out.seconds < kShortestSeconds || out.seconds > kLongestSeconds) {
        throw std::runtime_error(std::string(tune.title) + " would last " +
                                 std::to_string(out.seconds) + " s");
    }
    out.tracks = {std::move(tempo), std::move(ch.lead), std::move(ch.followers), std::move(ch.pad),
                  std::move(ch.bass)};
    return out;
}

}  // namespace tessaly

#include "accompaniment.h"

#include <algorithm>

namespace tessaly {

namespace {

constexpr int kTicks16 = kTicksPerQuarter / 4;
constexpr int kPadLow = 54;   // F#3: chords sit below the melody and above the bass
constexpr int kBassLow = 36;  // C2

int FloorMod(int a, int b) {
    return ((a % b) + b) % b;
}

// Chord tones packed into the octave from kPadLow, lowest first.
std::vector<int> Voicing(const ScoreChord& chord) {
    std::vector<int> keys;
    for (int interval : chord.intervals) {
        keys.push_back(kPadLow + FloorMod(chord.root + interval - kPadLow, 12));
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

struct Writer {
    SmfTrack& pad;
    int padChannel;
    SmfTrack& bass;
    int bassChannel;
    const Placement& where;

    void Pad(int time, int length, int key, int velocity) const {
        pad.Note(Tick(time), ArticulatedTicks(length), padChannel, key, velocity);
    }
    void Bass(int time, int length, int key) const {
        bass.Note(Tick(time), ArticulatedTicks(length), bassChannel, key, 74);
    }
    std::uint32_t Tick(int time) const {
        return static_cast<std::uint32_t>((where.offset + time) * kTicks16);
    }
};

}  // namespace

int PulseOf(int beatsPerBar, int beatUnit) {
    if (beatUnit == 8 && beatsPerBar % 3 == 0) return 6;
    return 16 / beatUnit;
}

std::uint32_t ArticulatedTicks(int sixteenths) {
    const auto ticks = static_cast<std::uint32_t>(sixteenths * kTicks16);
    return ticks - std::min<std::uint32_t>(ticks / 8, 24);
}

void Accompany(SmfTrack& pad, int padChannel, SmfTrack& bass, int bassChannel,
               const std::vector<ScoreChord>& chords, Accompaniment style, const Placement& where) {
    const Writer out{pad, padChannel, bass, bassChannel, where};
    for (const ScoreChord& chord : chords) {
        if (chord.root == kNoChord) continue;
        const std::vector<int> voicing = Voicing(chord);
        const int root = kBassLow + FloorMod(chord.root - kBassLow, 12);
        const int end = chord.start + chord.length;
        for (int t = chord.start; t < end; ++t) {
            const int pos = FloorMod(t - where.pickup, where.bar);
            const bool first = t == chord.start;
            // Length from t to the next multiple of grid within the bar, or the chord's end.
            auto until = [&](int grid) { return std::min(end - t, grid - pos % grid); };
            const int accent = pos == 0 ? 6 : 0;

            switch (style) {
                case Accompaniment::Sustained: {
                    const int half = where.bar == 16 ? 8 : where.bar;
                    if (first || pos == 0) {
                        for (int key : voicing) out.Pad(t, until(where.bar), key, 54 + accent);
                    }
                    if (first || pos % half == 0) out.Bass(t, until(half), root);
                    break;
                }
                case Accompaniment::Waltz:
                    if (first || pos == 0) out.Bass(t, until(where.pulse), root);
                    if (pos % where.pulse == 0 && pos != 0) {
                        for (int key : voicing) out.Pad(t, until(where.pulse), key, 56);
                    }
                    break;
                case Accompaniment::Alberti:
                case Accompaniment::Arpeggio: {
                    if (first || pos == 0) out.Bass(t, until(where.bar), root);
                    if (pos % 2 != 0 && !first) break;
                    const int step = pos / 2;
                    int key;
                    if (style == Accompaniment::Alberti) {
                        static constexpr int kFigure[] = {0, 2, 1, 2};  // low, high, middle, high
                        const int index =
                            std::min<int>(kFigure[step % 4], static_cast<int>(voicing.size()) - 1);
                        key = voicing[static_cast<std::size_t>(index)];
                    } else {
                        std::vector<int> tones = voicing;
                        tones.push_back(voicing.front() + 12);
                        static constexpr int kFigure[] = {0, 1, 2, 3, 2, 1};  // up and back
                        const int index =
                            std::min<int>(kFigure[step % 6], static_cast<int>(tones.size()) - 1);
                        key = tones[static_cast<std::size_t>(index)];
                    }
                    out.Pad(t, until(2), key, 52 + accent);
                    break;
                }
                case Accompaniment::March: {
                    if (pos % where.pulse != 0) {
                        if (first) out.Bass(t, until(where.pulse), root);
                        break;
                    }
                    const int beat = pos / where.pulse;
                    if (beat % 2 == 0 || first) {
                        out.Bass(t, until(where.pulse), beat % 4 == 2 ? root + 7 : root);
                    } else {
                        const int stab = std::max(1, until(where.pulse) / 2);
                        for (int key : voicing) out.Pad(t, stab, key, 50);
                    }
                    break;
                }
            }
        }
    }
}

}  // namespace tessaly

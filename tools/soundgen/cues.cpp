#include "cues.h"

#include <algorithm>
#include <cmath>

#include "game/resource_layout.h"
#include "synth.h"

namespace tessaly {

namespace {

double NoteHz(int midiKey) {
    return 440.0 * std::pow(2.0, (midiKey - 69) / 12.0);
}

// Odd and even harmonics falling off like a bowed or blown reed: warm, not buzzy.
const std::vector<Partial> kWarm = {{1, 1.0}, {2, 0.35}, {3, 0.18}, {4, 0.08}};
// A brass-like spectrum; brightnessTau makes it bloom and mellow like a real attack.
const std::vector<Partial> kBrass = {{1, 1.0},  {2, 0.75}, {3, 0.55}, {4, 0.4},
                                     {5, 0.28}, {6, 0.18}, {7, 0.11}, {8, 0.07}};

// A short bright tick: the tile "clicks" into the selected state.
Signal Select() {
    Signal out;
    MixInto(out, Tone({.startHz = 2200,
                       .endHz = 1700,
                       .seconds = 0.06,
                       .attack = 0.0008,
                       .release = 0.01,
                       .decayTau = 0.012,
                       .partials = {{1, 1.0}, {2.71, 0.25}}}));
    Signal snap = Noise(0.012, 11);
    BandPass(snap, 4500, 1.2);
    ApplyEnvelope(snap, 0.0005, 0.002, 0.004);
    MixInto(out, snap, 0.0, 0.8);
    return out;
}

// Two detuned low reeds beating against each other: an unmistakable "wrong" buzz.
Signal NotTheSame() {
    std::vector<Partial> reed;
    for (int n = 1; n <= 24; ++n) reed.push_back({double(n), (n % 2 ? 1.0 : 0.5) / n});
    Signal out;
    for (double hz : {110.0, 116.5}) {
        MixInto(out, Tone({.startHz = hz,
                           .seconds = 0.32,
                           .attack = 0.01,
                           .release = 0.07,
                           .partials = reed}));
    }
    LowPass(out, 2500);
    return out;
}

// A soft falling minor third, like a gentle "uh-uh": the pair matches but cannot be joined.
Signal Reset() {
    Signal out;
    MixInto(out, Tone({.startHz = NoteHz(76),
                       .seconds = 0.16,
                       .attack = 0.015,
                       .release = 0.05,
                       .partials = kWarm}));
    MixInto(out,
            Tone({.startHz = NoteHz(73),
                  .endHz = NoteHz(73) * 0.97,
                  .seconds = 0.26,
                  .attack = 0.02,
                  .release = 0.12,
                  .partials = kWarm}),
            0.17);
    return out;
}

// A rounded pop followed by a bell: the pair vanishes.
Signal Delete() {
    Signal out;
    MixInto(out, Tone({.startHz = 900,
                       .endHz = 220,
                       .seconds = 0.05,
                       .attack = 0.001,
                       .release = 0.01,
                       .decayTau = 0.02}));
    const std::vector<Partial> bell = {{1, 1.0}, {2.0, 0.45}, {2.76, 0.3}, {5.4, 0.12}};
    MixInto(out,
            Tone({.startHz = NoteHz(91),
                  .seconds = 0.45,
                  .attack = 0.002,
                  .release = 0.08,
                  .decayTau = 0.11,
                  .brightnessTau = 0.15,
                  .partials = bell}),
            0.035, 0.6);
    MixInto(out,
            Tone({.startHz = NoteHz(98),
                  .seconds = 0.35,
                  .attack = 0.002,
                  .release = 0.08,
                  .decayTau = 0.08,
                  .brightnessTau = 0.1,
                  .partials = bell}),
            0.085, 0.3);
    return out;
}

// Rising arpeggio into a held major chord: the last level is cleared.
Signal GameWin() {
    Signal out;
    struct Step {
        int key;
        double at, length;
    };
    const Step melody[] = {{67, 0.0, 0.13},  {72, 0.13, 0.13}, {76, 0.26, 0.13},
                           {79, 0.39, 0.24}, {76, 0.64, 0.12}, {79, 0.77, 0.62}};
    for (const Step& s : melody) {
        const bool held = s.length > 0.5;
        MixInto(out,
                Tone({.startHz = NoteHz(s.key),
                      .seconds = s.length,
                      .attack = 0.012,
                      .release = held ? 0.25 : 0.035,
                      .vibratoHz = 5.5,
                      .vibratoDepth = held ? 0.006 : 0.0,
                      .vibratoDelay = 0.2,
                      .brightnessTau = 0.4,
                      .partials = kBrass}),
                s.at);
    }
    for (int key : {64, 72}) {
        MixInto(out,
                Tone({.startHz = NoteHz(key),
                      .seconds = 0.62,
                      .attack = 0.03,
                      .release = 0.25,
                      .brightnessTau = 0.3,
                      .partials = kBrass}),
                0.77, 0.5);
    }
    return out;
}

// Three steps down a semitone each, then a long sagging note: the game is lost.
Signal GameOver() {
    Signal out;
    const int keys[] = {67, 66, 65};
    for (int i = 0; i < 3; ++i) {
        MixInto(out,
                Tone({.startHz = NoteHz(keys[i]),
                      .seconds = 0.27,
                      .attack = 0.03,
                      .release = 0.07,
                      .brightnessTau = 0.15,
                      .partials = kBrass}),
                0.3 * i);
    }
    MixInto(out,
            Tone({.startHz = NoteHz(64),
                  .endHz = NoteHz(64) * 0.94,
                  .seconds = 0.7,
                  .attack = 0.03,
                  .release = 0.3,
                  .vibratoHz = 4.5,
                  .vibratoDepth = 0.012,
                  .vibratoDelay = 0.15,
                  .brightnessTau = 0.2,
                  .partials = kBrass}),
            0.9);
    LowPass(out, 3000);
    return out;
}

// Cards riffling: a quickening run of paper flicks, then the deck squared with a soft thump.
Signal Rearrange() {
    Signal out;
    double at = 0.0;
    double gap = 0.034;
    std::uint32_t seed = 101;
    for (int i = 0; i < 26; ++i) {
        Signal flick = Noise(0.018, seed++);
        BandPass(flick, 2600.0 + 150.0 * (i % 5), 1.5);
        ApplyEnvelope(flick, 0.0008, 0.004, 0.006);
        MixInto(out, flick, at, 0.7 + 0.3 * ((i * 7) % 4) / 3.0);
        at += gap;
        gap = std::max(0.014, gap * 0.93);
    }
    Signal thump = Noise(0.06, 977);
    LowPass(thump, 700);
    ApplyEnvelope(thump, 0.002, 0.015, 0.02);
    MixInto(out, thump, at + 0.03, 2.0);
    MixInto(out,
            Tone({.startHz = 170,
                  .endHz = 120,
                  .seconds = 0.07,
                  .attack = 0.002,
                  .release = 0.02,
                  .decayTau = 0.02}),
            at + 0.03, 0.5);
    return out;
}

}  // namespace

std::vector<Cue> MakeCues() {
    struct Maker {
        std::string_view name;
        Signal (*make)();
        bool failure;
    };
    static constexpr Maker kMakers[] = {
        {cue::Select, Select, false},       {cue::NotTheSame, NotTheSame, true},
        {cue::Reset, Reset, true},          {cue::Delete, Delete, false},
        {cue::GameWin, GameWin, false},     {cue::GameOver, GameOver, true},
        {cue::Rearrange, Rearrange, false},
    };
    std::vector<Cue> cues;
    for (const Maker& m : kMakers) {
        const double loudness = m.failure ? kFailureCueLoudnessLufs : kCueLoudnessLufs;
        cues.push_back({m.name, Finish(m.make(), loudness, kCueMaxPeakDbfs, kCueTailSeconds)});
    }
    return cues;
}

}  // namespace tessaly

#pragma once

#include <cstdint>
#include <vector>

namespace tessaly {

// A mono signal at kSampleRate, nominally within [-1, 1] before the final normalisation.
using Signal = std::vector<double>;

struct Partial {
    double ratio;  // to the tone's frequency; need not be whole (bells)
    double gain;
};

// One enveloped, possibly gliding tone built from sine partials.
struct ToneDescription {
    double startHz = 440.0;
    double endHz = 0.0;  // 0: no glide; otherwise an exponential glide over the whole tone
    double seconds = 0.2;
    double attack = 0.005;
    double release = 0.03;
    double decayTau = 0.0;  // exponential decay time constant; 0 keeps the level until the release
    double vibratoHz = 0.0;
    double vibratoDepth = 0.0;   // as a fraction of the frequency
    double vibratoDelay = 0.0;   // seconds before the vibrato fades in, as a player would
    double brightnessTau = 0.0;  // upper partials fade faster by this constant; 0: steady timbre
    std::vector<Partial> partials = {{1.0, 1.0}};
};

Signal Tone(const ToneDescription& tone);

// White noise from our own generator, so that every build writes the same bytes.
Signal Noise(double seconds, std::uint32_t seed);

// Resonant band-pass (constant peak gain) and a gentle one-pole low-pass, in place.
void BandPass(Signal& signal, double centreHz, double q);
void LowPass(Signal& signal, double cutoffHz);

// Linear attack, exponential decay (tau 0: none), linear release to silence at the end.
void ApplyEnvelope(Signal& signal, double attack, double decayTau, double release);

// Adds part into signal starting at the given time, growing signal as needed.
void MixInto(Signal& signal, const Signal& part, double atSeconds = 0.0, double gain = 1.0);

// Appends tailSeconds of digital silence (more for a sound shorter than a loudness block, so
// that it can be measured), scales the whole to `loudnessLufs` of integrated loudness and
// quantises to 16 bits with rounding. Throws std::logic_error when the signal is silent or its
// peak would rise above maxPeakDbfs.
std::vector<std::int16_t> Finish(const Signal& signal, double loudnessLufs, double maxPeakDbfs,
                                 double tailSeconds);

int SecondsToSamples(double seconds);

}  // namespace tessaly

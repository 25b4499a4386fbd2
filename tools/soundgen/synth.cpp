#include "synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "loudness.h"
#include "wav_writer.h"

namespace tessaly {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Partials above this would only alias or hiss on small speakers.
constexpr double kHighestPartialHz = 16000.0;

}  // namespace

int SecondsToSamples(double seconds) {
    return static_cast<int>(std::lround(seconds * kSampleRate));
}

Signal Tone(const ToneDescription& tone) {
    const int count = SecondsToSamples(tone.seconds);
    Signal out(static_cast<std::size_t>(count), 0.0);
    const double endHz = tone.endHz > 0.0 ? tone.endHz : tone.startHz;
    const double glide = std::log(endHz / tone.startHz);
    std::vector<double> phases(tone.partials.size(), 0.0);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double hz = tone.startHz * std::exp(glide * t / tone.seconds);
        if (tone.vibratoDepth > 0.0 && t > tone.vibratoDelay) {
            const double fadeIn = std::min(1.0, (t - tone.vibratoDelay) / 0.15);
            hz *= 1.0 + fadeIn * tone.vibratoDepth * std::sin(kTwoPi * tone.vibratoHz * t);
        }
        double value = 0.0;
        for (std::size_t p = 0; p < tone.partials.size(); ++p) {
            const double partialHz = hz * tone.partials[p].ratio;
            phases[p] += kTwoPi * partialHz / kSampleRate;
            if (partialHz > kHighestPartialHz) continue;
            double gain = tone.partials[p].gain;
            if (tone.brightnessTau > 0.0) {
                gain *= std::exp(-t * (tone.partials[p].ratio - 1.0) / tone.brightnessTau);
            }
            value += gain * std::sin(phases[p]);
        }
        out[static_cast<std::size_t>(i)] = value;
    }
    ApplyEnvelope(out, tone.attack, tone.decayTau, tone.release);
    return out;
}

Signal Noise(double seconds, std::uint32_t seed) {
    Signal out(static_cast<std::size_t>(SecondsToSamples(seconds)));
    std::uint32_t state = seed == 0 ? 0x9E3779B9u : seed;
    for (double& s : out) {
        // xorshift32: tiny, and the same sequence on every platform
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        s = static_cast<double>(state) / 2147483648.0 - 1.0;
    }
    return out;
}

void BandPass(Signal& signal, double centreHz, double q) {
    const double w0 = kTwoPi * centreHz / kSampleRate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    const double b0 = alpha / a0;
    const double b2 = -alpha / a0;
    const double a1 = -2.0 * std::cos(w0) / a0;
    const double a2 = (1.0 - alpha) / a0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (double& s : signal) {
        const double y = b0 * s + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = s;
        y2 = y1;
        y1 = y;
        s = y;
    }
}

void LowPass(Signal& signal, double cutoffHz) {
    const double k = 1.0 - std::exp(-kTwoPi * cutoffHz / kSampleRate);
    double y = 0.0;
    for (double& s : signal) {
        y += k * (s - y);
        s = y;
    }
}

void ApplyEnvelope(Signal& signal, double attack, double decayTau, double release) {
    const auto count = static_cast<double>(signal.size());
    const double attackSamples = std::max(1.0, attack * kSampleRate);
    const double releaseSamples = std::max(1.0, release * kSampleRate);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const auto n = static_cast<double>(i);
        double gain = std::min(1.0, n / attackSamples);
        if (decayTau > 0.0)
            gain *= std::exp(-std::max(0.0, n - attackSamples) / kSampleRate / decayTau);
        // (count - 1 - n) reaches exactly 0 at the last sample, so every tone ends on silence
        gain *= std::min(1.0, (count - 1.0 - n) / releaseSamples);
        signal[i] *= gain;
    }
}

void MixInto(Signal& signal, const Signal& part, double atSeconds, double gain) {
    const auto start = static_cast<std::size_t>(SecondsToSamples(atSeconds));
    if (signal.size() < start + part.size()) signal.resize(start + part.size(), 0.0);
    for (std::size_t i = 0; i < part.size(); ++i) signal[start + i] += gain * part[i];
}

std::vector<std::int16_t> Finish(const Signal& signal, double loudnessLufs, double maxPeakDbfs,
                                 double tailSeconds) {
    // EBU R128 measures in 400 ms blocks; a shorter file would have no loudness at all.
    constexpr double kShortestSeconds = 0.45;
    Signal padded = signal;
    padded.resize(std::max(signal.size() + static_cast<std::size_t>(SecondsToSamples(tailSeconds)),
                           static_cast<std::size_t>(SecondsToSamples(kShortestSeconds))),
                  0.0);
    double peak = 0.0;
    for (double s : signal) peak = std::max(peak, std::abs(s));
    if (peak <= 0.0) throw std::logic_error("a cue came out silent");
    // Loudness moves decibel for decibel with the gain, so one measurement sets it.
    const double measured = IntegratedLoudness(padded, 1, kSampleRate);
    const double scale = std::pow(10.0, (loudnessLufs - measured) / 20.0);
    if (20.0 * std::log10(peak * scale) > maxPeakDbfs)
        throw std::logic_error("a cue would clip at its loudness");
    std::vector<std::int16_t> out;
    out.reserve(padded.size());
    for (double s : padded)
        out.push_back(static_cast<std::int16_t>(std::lround(s * scale * 32767.0)));
    return out;
}

}  // namespace tessaly

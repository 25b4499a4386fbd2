#include "loudness.h"

#include <ebur128.h>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace tessaly {

namespace {

template <typename Sample>
double Measure(const std::vector<Sample>& samples, int channels, int rate,
               int (*add)(ebur128_state*, const Sample*, size_t)) {
    ebur128_state* raw = ebur128_init(static_cast<unsigned>(channels),
                                      static_cast<unsigned long>(rate), EBUR128_MODE_I);
    if (raw == nullptr) throw std::runtime_error("libebur128 could not start");
    std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> state(
        raw, [](ebur128_state* s) { ebur128_destroy(&s); });
    if (channels == 1) ebur128_set_channel(state.get(), 0, EBUR128_DUAL_MONO);
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    if (add(state.get(), samples.data(), frames) != EBUR128_SUCCESS)
        throw std::runtime_error("libebur128 refused the samples");
    double loudness = -HUGE_VAL;
    if (ebur128_loudness_global(state.get(), &loudness) != EBUR128_SUCCESS)
        throw std::runtime_error("libebur128 could not measure");
    return loudness;
}

}  // namespace

double IntegratedLoudness(const std::vector<double>& samples, int channels, int rate) {
    return Measure<double>(samples, channels, rate, ebur128_add_frames_double);
}

double IntegratedLoudness(const std::vector<float>& samples, int channels, int rate) {
    return Measure<float>(samples, channels, rate, ebur128_add_frames_float);
}

}  // namespace tessaly

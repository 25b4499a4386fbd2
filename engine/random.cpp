// The one random generator of the game: a 32-bit linear congruential generator whose exact
// formula and draw order make boards reproducible from a seed.
#include <chrono>

#include "engine/engine.h"

namespace tessaly {

uint32_t ClockSeed() {
    // The low bits of a nanosecond count change between any two board operations.
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<uint32_t>(ticks);
}

Engine::Engine(SeedSource seedSource) : seedSource_(std::move(seedSource)) {
    if (!seedSource_) seedSource_ = ClockSeed;
}

void Engine::Reseed() {
    seed_ = seedSource_();
}

uint32_t Engine::DrawUniform(uint32_t n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
}

}  // namespace tessaly

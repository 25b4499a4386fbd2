// Where re-seeding takes its seed from, so that a window can hand its game a fixed one without
// knowing the engine.
#pragma once

#include <cstdint>
#include <functional>

namespace tessaly {

// The default reads a monotonic high-resolution clock.
using SeedSource = std::function<uint32_t()>;
uint32_t ClockSeed();

}  // namespace tessaly

// Whole numbers typed by the player.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly {

// A whole number in decimal with an optional sign; spaces round it are forgiven. Nothing for
// any other text or a number out of int32_t's range.
std::optional<int32_t> ParseInteger(const std::string& text);

}  // namespace tessaly

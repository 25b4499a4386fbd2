// Qt key codes to the virtual-key codes the game's key handler reads.
#pragma once

#include <cstdint>
#include <optional>

namespace tessaly {

// The virtual-key code of a Qt::Key, or nothing for keys the game has no code for.
std::optional<int32_t> VirtualKeyOf(int qtKey);

}  // namespace tessaly

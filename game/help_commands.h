// Help at a price: the hint and the rearrangement, and the loop that makes sure a board has a
// move.
#pragma once

#include <cstdint>

#include "game/game_part.h"

namespace tessaly {

class Help : GamePart {
  public:
    using GamePart::GamePart;

    void MenuOptionGetHintClick();
    void MenuOptionRearrangeClick();
    // Rearranges until a pair can be linked, and stores it as the hint.
    void RearrangeUntilLinkable();

    // Rearrangements in a row before the game stops relying on chance and places a linkable
    // pair itself, so that no board can keep the player waiting for ever.
    void SetRearrangeTryLimit(int32_t limit) { tryLimit_ = limit; }

  private:
    int32_t tryLimit_ = 100;
};

}  // namespace tessaly

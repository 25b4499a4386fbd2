// Menu commands without a rule of their own: shift modes, the leaderboard, leaving, the sound
// switch, the picture-set and background dialogs, the about box.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_part.h"

namespace tessaly {

class Commands : GamePart {
  public:
    using GamePart::GamePart;

    // Shift modes: each sets the level and moves the tiles at once.
    void ShiftModeClick(uint8_t mode);
    void MenuNoChangeClick() { ShiftModeClick(0); }
    void MenuToDownClick() { ShiftModeClick(1); }
    void MenuToLeftClick() { ShiftModeClick(2); }
    void MenuUpDownSeperateClick() { ShiftModeClick(3); }
    void MenuLeftRightSeperateClick() { ShiftModeClick(4); }
    void MenuUpDownCollectClick() { ShiftModeClick(5); }
    void MenuLeftRightCollectClick() { ShiftModeClick(6); }
    void MenuLeftUpRightDownClick() { ShiftModeClick(7); }
    void MenuLeftDownRightUpClick() { ShiftModeClick(8); }
    void MenuUpDownLeftRightSeperateClick() { ShiftModeClick(9); }
    void MenuUpDownLeftRightCollectClick() { ShiftModeClick(10); }

    void MenuTopClick();
    void MenuGameExitClick();
    void MenuOptionSoundClick();
    void MenuOptionBitmapClick();
    void MenuOptionBackGroundClick();
    void MenuGameAboutClick();

  private:
    int32_t AskNumber(const std::string& prompt, int32_t current, int32_t upperBound, bool& ok);
};

}  // namespace tessaly

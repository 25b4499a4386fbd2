// Background music: the switch, the once-a-second watch that starts the next piece, and the
// choice of a piece.
#pragma once

#include <string>

#include "game/game_part.h"
#include "game/music_device.h"

namespace tessaly {

class Music : GamePart {
  public:
    using GamePart::GamePart;

    void MenuOptionMusicClick();
    void TimerGuardTimer();
    std::string RandomMusicFile();
    // The player the music goes through; the game does not own it. Without one, switching
    // the music on reports that there is no player.
    void SetMusicDevice(MusicDevice* device);

  private:
    void PlayRandomPiece();

    MusicDevice* device_ = &NoMusicDevice();
};

}  // namespace tessaly

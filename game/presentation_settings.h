// How the board looks: the picture set and the background the player has chosen. The game
// owns one and changes it through the choice dialogs; the window reads it whenever it draws.
#pragma once

#include <cstdint>
#include <string>

#include "game/resource_layout.h"

namespace tessaly {

struct PresentationSettings {
    int32_t PictureSetNumber = 1;
    // The set's folder inside the resource folder, with the separators of the platform's paths.
    std::string PictureSetFolder = PictureSetFolderOf(1);
    int32_t BackgroundNumber = 1;
    uint32_t BackgroundColor = 0;  // 0x00BBGGRR; background 1 is black
};

}  // namespace tessaly

// What the program and the music module agree on: the module's file name and its one entry.
#pragma once

#include <memory>

#include "game/music_device.h"
#include "ui/audio_output.h"

namespace tessaly {

// Makes a FluidSynth player writing to outputs opened by `output`.
using MakeMusicPlayerFunction = void (*)(const AudioOutputFactory& output,
                                         std::unique_ptr<MusicDevice>& player);
inline constexpr const char* MakeMusicPlayerSymbol = "tessaly_make_music_player";
inline constexpr const char* MusicModuleFileName = "tessaly-music.so";

}  // namespace tessaly

// A music file is checked whole before the synthesiser sees it: a file cut short, or one that is
// nothing but a header, would otherwise open without error, play nothing and count as ended.
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The most tracks the synthesiser plays; with one more it plays none.
inline constexpr int MaxMidiTracks = 127;

// Empty when `bytes` is a complete Standard MIDI File the synthesiser will play: a header with
// metrical timing, as many tracks as it announces (at most MaxMidiTracks), every chunk within
// the file, every event whole and every track closed by its end-of-track event. Otherwise what
// is wrong, in words for the player.
std::string CheckMidiFile(std::string_view bytes);

}  // namespace tessaly

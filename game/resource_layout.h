// The resource folder: where the game finds its pictures, cues and music, and how many of each
// there are. The generators under tools/ write the same names, and their build reads the counts
// and the cue names from this file (cmake/ResourceLayout.cmake): keep each on a line of its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

inline constexpr int32_t PictureSetCount = 25;
inline constexpr int32_t TilesPerSet = 45;
inline constexpr int32_t BackgroundCount = 15;
inline constexpr int32_t MusicPieceCount = 15;

// The cues the game plays, each from the file Sound/<name>.wav.
namespace cue {
inline constexpr const char* Select = "Select";
inline constexpr const char* NotTheSame = "NotTheSame";
inline constexpr const char* Reset = "Reset";
inline constexpr const char* Delete = "Delete";
inline constexpr const char* GameWin = "GameWin";
inline constexpr const char* GameOver = "GameOver";
inline constexpr const char* Rearrange = "REARRANGE";
}  // namespace cue

inline constexpr std::array<const char*, 7> CueNames = {
    cue::Select,  cue::NotTheSame, cue::Reset,    cue::Delete,
    cue::GameWin, cue::GameOver,   cue::Rearrange};

// The game reads the folder relative to its current directory; the generators pass the folder
// they write as `root` instead.
inline constexpr std::string_view ResourceFolder = "./resource";

// The folder of picture set `set` inside the resource folder, as the game keeps it.
inline std::string PictureSetFolderOf(int32_t set) {
    return "/pic" + std::to_string(set) + "/";
}

inline std::string TilePicturePath(std::string_view setFolder, int32_t kind,
                                   std::string_view root = ResourceFolder) {
    return std::string(root).append(setFolder) + std::to_string(kind) + ".bmp";
}

inline std::string BackgroundPicturePath(int32_t number, std::string_view root = ResourceFolder) {
    return std::string(root) + "/BackGround/" + std::to_string(number) + ".bmp";
}

inline std::string StartPicturePath(std::string_view root = ResourceFolder) {
    return std::string(root) + "/BackGround/Start.bmp";
}

inline std::string CuePath(std::string_view name, std::string_view root = ResourceFolder) {
    return std::string(root) + "/Sound/" + std::string(name) + ".wav";
}

inline std::string MusicPath(int32_t piece, std::string_view root = ResourceFolder) {
    return std::string(root) + "/midi/music" + std::to_string(piece) + ".mid";
}

}  // namespace tessaly

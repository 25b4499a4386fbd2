// The music module's entry, the only name it shows; the program finds it by name at run time.
#include "ui/music_module_entry.h"

#include <memory>
#include <type_traits>
#include <utility>

#include "ui/music_player.h"

extern "C" __attribute__((visibility("default"))) void tessaly_make_music_player(
    const tessaly::AudioOutputFactory& output, std::unique_ptr<tessaly::MusicDevice>& player) {
    tessaly::MusicPlayerOptions options;
    options.output = output;
    player = std::make_unique<tessaly::MusicPlayer>(std::move(options));
}

// The declaration above must match what the program expects to call.
static_assert(
    std::is_same_v<decltype(&tessaly_make_music_player), tessaly::MakeMusicPlayerFunction>);

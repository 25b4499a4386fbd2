// Background music through FluidSynth: one synthesiser with the General MIDI SoundFont, a MIDI
// player per piece, and an audio output while the music is on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/music_device.h"

// FluidSynth's handles, declared as its header declares them.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace tessaly {

struct MusicPlayerOptions {
    std::string soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    // Tried in order until one opens; an empty name is FluidSynth's own default.
    std::vector<std::string> audioDrivers = {"", "pulseaudio"};
    // Where FluidSynth's "file" driver writes, for checks of the output without a sound device.
    std::string outputFile;
    // Without an audio driver: nothing sounds, and renderOffline() moves the music on.
    bool offline = false;
    // Keeps the pieces (about -20 dBFS at their peaks) under the sound cues.
    double gain = 0.2;
};

class MusicPlayer : public MusicDevice {
  public:
    explicit MusicPlayer(MusicPlayerOptions options = {});
    ~MusicPlayer() override;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // The SoundFont and the audio output are set up at the first open, so that starting the
    // game costs nothing when the music stays off.
    std::string open(const std::string& path) override;
    void play() override;
    void stop() override;
    void close() override;
    bool isOpen() const override { return player_ != nullptr; }
    // In MIDI ticks. The position holds just below the length until the player says the piece
    // is done, so that its last notes ring out and an unloaded piece never reads as ended.
    int64_t position() const override;
    int64_t length() const override;

    // Offline only: renders `frames` sample frames and returns their peak level (1 is full
    // scale); 0 before the synthesiser has been set up.
    float renderOffline(int frames);

  private:
    std::string setUpSynth();
    std::string setUpAudio();
    bool pieceDone() const;
    void silence();
    void retire();
    void releaseOutput();

    struct Deleter {
        void operator()(fluid_settings_t* p) const;
        void operator()(fluid_synth_t* p) const;
        void operator()(fluid_player_t* p) const;
        void operator()(fluid_audio_driver_t* p) const;
    };

    MusicPlayerOptions options_;
    std::unique_ptr<fluid_settings_t, Deleter> settings_;
    std::unique_ptr<fluid_synth_t, Deleter> synth_;
    std::unique_ptr<fluid_player_t, Deleter> player_;
    std::vector<std::unique_ptr<fluid_player_t, Deleter>> retired_;
    std::unique_ptr<fluid_audio_driver_t, Deleter> driver_;
};

}  // namespace tessaly

// Background music through FluidSynth: one synthesiser with the General MIDI SoundFont, a MIDI
// player per piece, and a thread of ours that renders the synthesiser into the sound output
// while the music is on.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "game/music_device.h"
#include "ui/audio_output.h"
#include "ui/audio_thread.h"

// FluidSynth's handles, declared as its header declares them.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;

namespace tessaly {

struct MusicPlayerOptions {
    std::string soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    // Opened on the render thread each time the music starts; the default is PulseAudio.
    AudioOutputFactory output;
    // Without an output: nothing sounds, and RenderOffline() moves the music on.
    bool offline = false;
    // Sets the pieces a few decibels under the sound cues (the resource tests measure both).
    double gain = 0.4;
    // How long the first open of the output may keep the caller, so that a refusal still gets
    // its box; past it, the music starts whenever the server answers.
    std::chrono::milliseconds openDeadline{100};
};

// No call here waits for the sound server beyond a short deadline: the output is opened,
// written and closed on the render thread, which is left behind when the server stalls.
class MusicPlayer : public MusicDevice {
  public:
    // How long closing the player waits for the render threads at exit.
    static constexpr std::chrono::milliseconds ExitDeadline{300};

    explicit MusicPlayer(MusicPlayerOptions options = {});
    ~MusicPlayer() override;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    // The SoundFont and the audio output are set up at the first open after the start or a
    // stop, so that the game costs nothing while the music is off.
    std::string Open(const std::string& path) override;
    void Play() override;
    void Stop() override;
    void Close() override;
    bool IsOpen() const override { return player_ != nullptr || stoppedLength_ > 0; }
    // In MIDI ticks. The piece reads as played out once its last event has passed and its
    // sound has died away, never earlier: an unloaded piece and a ringing last note hold it just
    // below the length.
    int64_t Position() const override;
    int64_t Length() const override;

    // Offline only: renders `frames` sample frames and returns their peak level (1 is full
    // scale); 0 before the synthesiser has been set up. Appends the interleaved stereo samples
    // to `samples` when one is given.
    float RenderOffline(int frames, std::vector<float>* samples = nullptr);

    struct RenderControl;  // shared by the player and one render thread

  private:
    std::string SetUpSynth();
    std::string Load(const std::string& path);
    // Held while the synthesiser's players change; nothing to hold while no output runs.
    std::unique_lock<std::mutex> LockRendering() const;
    std::string StartOutput();
    void StopOutput();
    void RenderThread(const std::shared_ptr<RenderControl>& control, AudioOutputFactory open);
    bool RenderUntilStopped(RenderControl& control, AudioOutput& output);
    float Render(float* interleaved, int frames);
    bool PieceEnded() const;
    void Retire();

    struct Deleter {
        void operator()(fluid_settings_t* p) const;
        void operator()(fluid_synth_t* p) const;
        void operator()(fluid_player_t* p) const;
    };

    MusicPlayerOptions options_;
    std::unique_ptr<fluid_settings_t, Deleter> settings_;
    std::unique_ptr<fluid_synth_t, Deleter> synth_;
    std::unique_ptr<fluid_player_t, Deleter> player_;

    // The render thread steps every player the synthesiser knows, so a player is only freed
    // while the control's lock is held and no rendering can be under way.
    std::shared_ptr<RenderControl> control_;
    AudioThread renderThread_;
    // Threads told to stop that may still be finishing a write or closing their stream.
    std::vector<AudioThread> stopping_;
    // Counted from the open of the current piece, in frames.
    std::atomic<int64_t> renderedFrames_{0};
    std::atomic<int64_t> lastAudibleFrame_{0};
    // A stopped piece is freed with the synthesiser, yet stays open and played out until the
    // next open or close: its length in ticks, 0 when there is none.
    int64_t stoppedLength_ = 0;
};

}  // namespace tessaly

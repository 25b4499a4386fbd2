// Background music lives in a module of its own, loaded the first time the music is switched on:
// FluidSynth brings a few dozen libraries with it, and a game whose music stays off loads none.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "game/music_device.h"
#include "ui/audio_output.h"
#include "ui/music_module_entry.h"

namespace tessaly {

// The sound output every new MusicModule hands its player; tests put a capturing one here.
AudioOutputFactory& MusicOutputFactory();

// The module every new MusicModule loads: the one next to the program, where both the build and
// the installed game keep it. Tests elsewhere in the build tree point it at the build's module.
QString& MusicModulePath();

class MusicModule : public MusicDevice {
  public:
    explicit MusicModule(QString path = MusicModulePath(),
                         AudioOutputFactory output = MusicOutputFactory());
    ~MusicModule() override;
    MusicModule(const MusicModule&) = delete;
    MusicModule& operator=(const MusicModule&) = delete;

    // Loads the module at the first call; a module that cannot be loaded fails this open with
    // the reason, and the next open tries again.
    std::string Open(const std::string& path) override;
    void Play() override;
    void Stop() override;
    void Close() override;
    bool IsOpen() const override;
    int64_t Position() const override;
    int64_t Length() const override;

    bool Loaded() const { return player_ != nullptr; }

  private:
    std::string Load();

    QString path_;
    AudioOutputFactory output_;
    std::unique_ptr<MusicDevice> player_;
};

}  // namespace tessaly

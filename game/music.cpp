// Background music: the switch, the watch that starts the next piece, and the choice of piece.
#include "game/music.h"

#include "game/resource_layout.h"

namespace tessaly {

namespace {

class AbsentMusicDevice : public MusicDevice {
  public:
    std::string Open(const std::string&) override { return "No music player available"; }
    void Play() override {}
    void Stop() override {}
    void Close() override {}
    bool IsOpen() const override { return false; }
    int64_t Position() const override { return 0; }
    int64_t Length() const override { return 0; }
};

}  // namespace

MusicDevice& NoMusicDevice() {
    static AbsentMusicDevice device;
    return device;
}

void Music::SetMusicDevice(MusicDevice* device) {
    device_ = device != nullptr ? device : &NoMusicDevice();
}

std::string Music::RandomMusicFile() {
    const uint32_t n = engine_.DrawUniform(static_cast<uint32_t>(MusicPieceCount)) + 1;
    return MusicPath(static_cast<int32_t>(n));
}

void Music::MenuOptionMusicClick() {
    view_.MusicOn = !view_.MusicOn;
    window_.SetMenuChecked(MenuItemId::MenuOptionMusic, view_.MusicOn);
    window_.SetTimerEnabled(TimerId::TimerGuard, view_.MusicOn);
    if (view_.MusicOn) {
        window_.StopCue();
        // A failed open leaves the switch and the watch on with nothing open; the watch then
        // waits quietly until the player switches off and on again.
        PlayRandomPiece();
    } else if (!device_->IsOpen()) {
        window_.ShowError("No MCI device open");
    } else {
        // The piece stays open; switching on again opens a newly chosen one from its start.
        device_->Stop();
    }
}

void Music::TimerGuardTimer() {
    // A stopped piece reads as played out; a tick that slips in after the switch went off
    // must not start it again.
    if (!view_.MusicOn) return;
    // With nothing open (an open that failed) there is no piece to watch, and a box every
    // second would keep the player from playing: stay silent until the switch is turned over.
    if (!device_->IsOpen()) return;
    const int64_t position = device_->Position();
    const int64_t length = device_->Length();
    if (position < length) return;
    PlayRandomPiece();
}

void Music::PlayRandomPiece() {
    const std::string error = device_->Open(RandomMusicFile());
    if (error.empty()) {
        device_->Play();
    } else {
        window_.ShowError(error);
    }
}

}  // namespace tessaly

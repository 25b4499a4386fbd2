// Background music: the switch, the watch that starts the next piece, and the choice of piece.
#include <string>

#include "game/resource_layout.h"
#include "game/session.h"

namespace tessaly {

namespace {

class AbsentMusicDevice : public MusicDevice {
  public:
    std::string open(const std::string&) override { return "No music player available"; }
    void play() override {}
    void stop() override {}
    void close() override {}
    bool isOpen() const override { return false; }
    int64_t position() const override { return 0; }
    int64_t length() const override { return 0; }
};

}  // namespace

MusicDevice& NoMusicDevice() {
    static AbsentMusicDevice device;
    return device;
}

void Session::SetMusicDevice(MusicDevice* device) {
    music_ = device != nullptr ? device : &NoMusicDevice();
}

std::string Session::RandomMusicFile() {
    const uint32_t n = engine_.DrawUniform(static_cast<uint32_t>(MusicPieceCount)) + 1;
    return MusicPath(static_cast<int32_t>(n));
}

void Session::MenuOptionMusicClick() {
    MusicOn = !MusicOn;
    window_.SetMenuChecked(MenuItemId::MenuOptionMusic, MusicOn);
    window_.SetTimerEnabled(TimerId::TimerGuard, MusicOn);
    if (MusicOn) {
        window_.StopCue();
        // A failed open leaves the switch and the watch on with nothing open; the watch then
        // waits quietly until the player switches off and on again.
        PlayRandomPiece();
    } else if (!music_->isOpen()) {
        window_.ShowError("No MCI device open");
    } else {
        // The piece stays open; switching on again opens a newly chosen one from its start.
        music_->stop();
    }
}

void Session::TimerGuardTimer() {
    // A stopped piece reads as played out; a tick that slips in after the switch went off
    // must not start it again.
    if (!MusicOn) return;
    // With nothing open (an open that failed) there is no piece to watch, and a box every
    // second would keep the player from playing: stay silent until the switch is turned over.
    if (!music_->isOpen()) return;
    const int64_t position = music_->position();
    const int64_t length = music_->length();
    if (position < length) return;
    PlayRandomPiece();
}

void Session::PlayRandomPiece() {
    const std::string error = music_->open(RandomMusicFile());
    if (error.empty()) {
        music_->play();
    } else {
        window_.ShowError(error);
    }
}

}  // namespace tessaly

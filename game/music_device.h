// The player the background music goes through. The game flow only opens a piece, starts and
// stops it, and compares where it is with how long it is; the window supplies a real player.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly {

class MusicDevice {
  public:
    virtual ~MusicDevice() = default;

    // Opens the piece at `path`, closing an open one first. Returns the text to show the player
    // when it fails (nothing is open then), an empty text on success.
    virtual std::string Open(const std::string& path) = 0;
    // Starts the open piece from its current position and returns at once.
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Where the open piece is and how long it is, in one unit of the player's choosing; the
    // piece has played out when position >= length. Both read 0 with nothing open.
    virtual int64_t Position() const = 0;
    virtual int64_t Length() const = 0;
};

// Stands in where no player is given: every open fails with a text that says so.
MusicDevice& NoMusicDevice();

}  // namespace tessaly

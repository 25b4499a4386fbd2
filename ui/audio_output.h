// Where the game's sound goes: a stream of 16-bit stereo frames that the caller's own thread
// writes, so nothing waits for the window's event loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tessaly {

inline constexpr int AudioRate = 44100;
inline constexpr int AudioChannels = 2;

class AudioOutput {
  public:
    virtual ~AudioOutput() = default;
    // Queues interleaved frames, blocking while the device's short buffer is full. False when
    // the device has gone; the output is then of no further use.
    virtual bool Write(const int16_t* samples, std::size_t frames) = 0;
    // Drops what was queued but not yet heard, so that the next sound starts clean.
    virtual void Flush() = 0;
};

// Opens an output, or returns null with the reason in `error`. Called on the thread that writes.
using AudioOutputFactory = std::function<std::unique_ptr<AudioOutput>(std::string& error)>;

// A PulseAudio playback stream (PipeWire serves it too) holding about `latencyMs` of sound.
std::unique_ptr<AudioOutput> OpenPulseOutput(const std::string& streamName, int latencyMs,
                                             std::string& error);

}  // namespace tessaly

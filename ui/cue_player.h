// Short sound cues, played on an audio thread of their own: the call returns at once and the
// sound starts even while the window's thread sleeps or plays automatically. A new cue cuts off
// the one still sounding.
#pragma once

#include <QString>
#include <QUrl>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "ui/audio_output.h"

namespace tessaly {

// The sound output every new CuePlayer opens at its first request; tests put a capturing one here.
AudioOutputFactory& CueOutputFactory();

class CuePlayer {
  public:
    explicit CuePlayer(AudioOutputFactory openOutput = CueOutputFactory());
    ~CuePlayer();
    CuePlayer(const CuePlayer&) = delete;
    CuePlayer& operator=(const CuePlayer&) = delete;

    // Plays ./resource/Sound/<name>.wav without waiting. A file that is missing, not a regular
    // file or not a sound we can read cuts off the playing cue and stays silent.
    void Play(const QString& name);
    void Stop();

    // The file of the last cue asked for, empty before the first.
    QUrl source() const { return source_; }

  private:
    struct Request {
        std::string path;  // empty: stop
    };
    void Post(Request request);
    void Run();
    bool EnsureOutput(std::unique_ptr<AudioOutput>& output);

    AudioOutputFactory openOutput_;
    QUrl source_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;  // only the newest request matters
    bool quit_ = false;

    // Worker-thread state.
    std::chrono::steady_clock::time_point nextOpenAttempt_{};
    bool failureReported_ = false;

    std::thread worker_;  // last: starts once everything above exists
};

}  // namespace tessaly

// Short sound cues, played on an audio thread of their own: the call returns at once and the
// sound starts even while the window's thread sleeps or plays automatically. A new cue cuts off
// the one still sounding.
#pragma once

#include <QString>
#include <QUrl>
#include <chrono>
#include <memory>
#include <string>

#include "ui/audio_output.h"
#include "ui/audio_thread.h"

namespace tessaly {

// The sound output every new CuePlayer opens at its first request; tests put a capturing one here.
AudioOutputFactory& CueOutputFactory();

class CuePlayer {
  public:
    explicit CuePlayer(AudioOutputFactory openOutput = CueOutputFactory());
    // Waits a moment for the cue thread; one held by a stalled sound server is left behind.
    ~CuePlayer();
    CuePlayer(const CuePlayer&) = delete;
    CuePlayer& operator=(const CuePlayer&) = delete;

    // Plays ./resource/Sound/<name>.wav without waiting. A file that is missing, not a regular
    // file or not a sound we can read cuts off the playing cue and stays silent.
    void Play(const QString& name);
    void Stop();

    // The file of the last cue asked for, empty before the first.
    QUrl Source() const { return source_; }

    // How long the destructor waits for the cue thread.
    static constexpr std::chrono::milliseconds ExitDeadline{300};

    struct Shared;  // what the cue thread owns with us

  private:
    void Post(std::string path);

    QUrl source_;
    std::shared_ptr<Shared> shared_;
    AudioThread worker_;  // last: starts once everything above exists
};

}  // namespace tessaly

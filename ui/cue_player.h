// Short sound cues played in the background; a new cue cuts off the one still sounding.
#pragma once

#include <QString>
#include <QUrl>
#include <memory>

class QSoundEffect;

namespace tessaly {

class CuePlayer {
  public:
    CuePlayer();
    ~CuePlayer();

    // Plays ./resource/Sound/<name>.wav without waiting; a missing file stays silent.
    void Play(const QString& name);
    void Stop();

    // The file of the last cue started, empty before the first.
    QUrl source() const;

  private:
    // Made on first use: the audio back end need not be touched before the first sound.
    std::unique_ptr<QSoundEffect> effect_;
};

}  // namespace tessaly

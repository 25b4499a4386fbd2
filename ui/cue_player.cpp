#include "ui/cue_player.h"

#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>

namespace tessaly {

CuePlayer::CuePlayer() = default;
CuePlayer::~CuePlayer() = default;

void CuePlayer::Play(const QString& name) {
    const QFileInfo file(QDir::current(), QStringLiteral("resource/Sound/%1.wav").arg(name));
    if (!file.isFile()) {
        Stop();
        return;
    }
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    // Never wait on isPlaying(): without a sound server it stays true for ever.
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    effect_->play();
}

void CuePlayer::Stop() {
    if (effect_) effect_->stop();
}

QUrl CuePlayer::source() const {
    return effect_ ? effect_->source() : QUrl();
}

}  // namespace tessaly

#include "ui/music_module.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>
#include <utility>

namespace tessaly {

namespace {

// Enough buffer to ride over a busy moment without adding a noticeable delay to the start.
constexpr int OutputLatencyMs = 100;

}  // namespace

AudioOutputFactory& MusicOutputFactory() {
    static AudioOutputFactory factory = [](std::string& error) {
        return OpenPulseOutput("Music", OutputLatencyMs, error);
    };
    return factory;
}

QString& MusicModulePath() {
    static QString path = QDir(QCoreApplication::applicationDirPath())
                              .filePath(QString::fromLatin1(MusicModuleFileName));
    return path;
}

MusicModule::MusicModule(QString path, AudioOutputFactory output)
    : path_(std::move(path)), output_(std::move(output)) {}

// The player's threads may outlive it by a stalled write, so the module is never unloaded:
// QLibrary leaves it loaded unless asked.
MusicModule::~MusicModule() = default;

std::string MusicModule::Load() {
    QLibrary library(path_);
    if (!library.load()) {
        return "Cannot play music: the music module could not be loaded (" +
               library.errorString().toStdString() + ")";
    }
    const auto make =
        reinterpret_cast<MakeMusicPlayerFunction>(library.resolve(MakeMusicPlayerSymbol));
    if (make == nullptr) {
        return "Cannot play music: the music module could not be loaded (" +
               library.errorString().toStdString() + ")";
    }
    make(output_, player_);
    if (!player_) return "Cannot play music: the music module could not be loaded";
    return {};
}

std::string MusicModule::Open(const std::string& path) {
    if (!player_) {
        if (std::string error = Load(); !error.empty()) return error;
    }
    return player_->Open(path);
}

void MusicModule::Play() {
    if (player_) player_->Play();
}

void MusicModule::Stop() {
    if (player_) player_->Stop();
}

void MusicModule::Close() {
    if (player_) player_->Close();
}

bool MusicModule::IsOpen() const {
    return player_ && player_->IsOpen();
}

int64_t MusicModule::Position() const {
    return player_ ? player_->Position() : 0;
}

int64_t MusicModule::Length() const {
    return player_ ? player_->Length() : 0;
}

}  // namespace tessaly

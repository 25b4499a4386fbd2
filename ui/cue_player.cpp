#include "ui/cue_player.h"

#include <QDir>
#include <QtGlobal>
#include <utility>
#include <vector>

#include "game/resource_layout.h"
#include "ui/regular_file.h"
#include "ui/wave_file.h"

namespace tessaly {

namespace {

// A cue is a second or two; this is minutes of sound, and still a bounded read.
constexpr std::size_t MaxCueFileBytes = 16 * 1024 * 1024;
// Written at a time: the longest a new request waits before the old cue stops.
constexpr std::size_t BlockFrames = AudioRate / 100;
// With no sound server, a cue now and then asks again, without a word, whether one has come.
constexpr std::chrono::seconds RetryAfter{5};
constexpr int OutputLatencyMs = 30;
// A stream that runs dry starts late and ragged; silence keeps it running between the cues of
// play, and after this long without a cue the stream is closed until the next one.
constexpr std::chrono::seconds KeepRunning{3};
// PulseAudio drops up to 5 ms at the start of a stream, after a stream has run dry and after a
// flush (measured on a null sink's monitor); this much silence before each cue takes the loss.
constexpr std::size_t LeadInFrames = AudioRate / 200;

}  // namespace

AudioOutputFactory& CueOutputFactory() {
    static AudioOutputFactory factory = [](std::string& error) {
        return OpenPulseOutput("Sound cues", OutputLatencyMs, error);
    };
    return factory;
}

CuePlayer::CuePlayer(AudioOutputFactory openOutput)
    : openOutput_(std::move(openOutput)), worker_([this] { Run(); }) {}

CuePlayer::~CuePlayer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void CuePlayer::Play(const QString& name) {
    // Resolved now: the folder is the current directory at the moment of the call.
    const QString path = QDir::cleanPath(
        QDir::current().absoluteFilePath(QString::fromStdString(CuePath(name.toStdString()))));
    source_ = QUrl::fromLocalFile(path);
    Post({path.toStdString()});
}

void CuePlayer::Stop() {
    Post({});
}

void CuePlayer::Post(Request request) {
    {
        std::lock_guard lock(mutex_);
        pending_ = std::move(request);
    }
    wake_.notify_one();
}

bool CuePlayer::EnsureOutput(std::unique_ptr<AudioOutput>& output) {
    if (output) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now < nextOpenAttempt_) return false;
    std::string error;
    output = openOutput_(error);
    if (output) return true;
    nextOpenAttempt_ = now + RetryAfter;
    // One line for the whole run: a player without sound needs telling once, not at every cue.
    if (!std::exchange(failureReported_, true))
        qWarning("Sound cues stay silent: no sound output (%s)", error.c_str());
    return false;
}

void CuePlayer::Run() {
    using Clock = std::chrono::steady_clock;
    std::unique_ptr<AudioOutput> output;
    CueSound sound;
    std::size_t played = 0;
    Clock::time_point runUntil{};
    const std::vector<int16_t> silence(BlockFrames * AudioChannels, 0);
    for (;;) {
        std::optional<Request> request;
        {
            std::unique_lock lock(mutex_);
            const bool busy = played < sound.frames() || (output && Clock::now() < runUntil);
            if (!busy && output) {
                // Quiet for a while: give the device back, without holding up a new cue.
                lock.unlock();
                output.reset();
                lock.lock();
            }
            if (!busy) wake_.wait(lock, [&] { return quit_ || pending_; });
            if (quit_) return;
            request = std::exchange(pending_, std::nullopt);
        }
        if (request) {
            sound = {};
            played = 0;
            if (!EnsureOutput(output)) continue;
            // What the old cue still has queued would be heard before the new one.
            output->flush();
            runUntil = Clock::now() + KeepRunning;
            if (request->path.empty()) continue;
            const FileReadResult file = ReadRegularFile(request->path, MaxCueFileBytes);
            if (!file.ok()) continue;
            if (std::optional<CueSound> decoded = DecodeWave(file.bytes)) {
                sound.samples.assign(LeadInFrames * AudioChannels, 0);
                sound.samples.insert(sound.samples.end(), decoded->samples.begin(),
                                     decoded->samples.end());
            }
            continue;
        }
        const std::size_t frames = std::min(BlockFrames, sound.frames() - played);
        const int16_t* samples =
            frames > 0 ? sound.samples.data() + played * AudioChannels : silence.data();
        if (!output->write(samples, frames > 0 ? frames : BlockFrames)) {
            // The server went away: drop the stream and find out again at a later cue.
            output.reset();
            sound = {};
            played = 0;
            continue;
        }
        played += frames;
        if (frames > 0 && played == sound.frames()) runUntil = Clock::now() + KeepRunning;
    }
}

}  // namespace tessaly

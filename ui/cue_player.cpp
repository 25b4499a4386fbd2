#include "ui/cue_player.h"

#include <QDir>
#include <QtGlobal>
#include <algorithm>
#include <condition_variable>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "game/resource_layout.h"
#include "ui/regular_file.h"
#include "ui/wave_file.h"

namespace tessaly {

namespace {

// A cue is a second or two; this is minutes of sound, and still a bounded read. What a file may
// decode to is capped separately (MaxCueFrames): a small file at a low rate grows many times.
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
// The seven cues and a few stray names; past this the decoded cues are dropped and read again.
constexpr std::size_t MaxCachedCues = 32;

// Cues are decoded once per version of their file, not at every play: a select cue comes with
// every click. The file is still read each time (a few microseconds for a cue), since a time
// stamp may not change when a file is rewritten at once. A file that does not decode is
// remembered as silent just the same.
class DecodedCues {
  public:
    std::shared_ptr<const CueSound> Get(const std::string& path) {
        const FileReadResult file = ReadRegularFile(path, MaxCueFileBytes);
        if (!file.Ok()) return nullptr;  // missing, a directory, a FIFO, a device, too large
        const Version version{file.bytes.size(), std::hash<std::string>{}(file.bytes)};
        if (auto it = cues_.find(path); it != cues_.end() && it->second.version == version)
            return it->second.sound;
        if (cues_.size() >= MaxCachedCues) cues_.clear();
        std::shared_ptr<const CueSound> sound;
        if (std::optional<CueSound> decoded = DecodeWave(file.bytes))
            sound = std::make_shared<const CueSound>(std::move(*decoded));
        cues_[path] = {version, sound};
        return sound;
    }

  private:
    struct Version {
        std::size_t size = 0;
        std::size_t hash = 0;
        bool operator==(const Version&) const = default;
    };
    struct Entry {
        Version version;
        std::shared_ptr<const CueSound> sound;
    };
    std::map<std::string, Entry> cues_;
};

}  // namespace

struct CuePlayer::Shared {
    explicit Shared(AudioOutputFactory factory) : openOutput(std::move(factory)) {}
    const AudioOutputFactory openOutput;
    std::mutex mutex;
    std::condition_variable wake;
    std::optional<std::string> pending;  // only the newest request matters; empty path: stop
    bool quit = false;
};

namespace {

// The cue thread. It owns its output and its decoded cues; it shares only the request slot.
class CueWorker {
  public:
    explicit CueWorker(std::shared_ptr<CuePlayer::Shared> shared) : shared_(std::move(shared)) {}

    void Run() {
        const std::vector<int16_t> silence(BlockFrames * AudioChannels, 0);
        for (;;) {
            std::optional<std::string> request;
            {
                std::unique_lock lock(shared_->mutex);
                const bool busy = Sounding() || (output_ && Clock::now() < runUntil_);
                if (!busy && output_) {
                    // Quiet for a while: give the device back, without holding up a new cue.
                    lock.unlock();
                    output_.reset();
                    lock.lock();
                }
                if (!busy)
                    shared_->wake.wait(lock, [&] { return shared_->quit || shared_->pending; });
                if (shared_->quit) return;
                request = std::exchange(shared_->pending, std::nullopt);
            }
            if (request) {
                // Nothing may leave this thread: a cue that cannot be had is a silent cue.
                try {
                    Start(*request);
                } catch (const std::exception& e) {
                    qWarning("A sound cue stays silent: %s", e.what());
                    sound_.reset();
                }
                continue;
            }
            if (!WriteBlock(silence)) {
                // The server went away: drop the stream; the next cue opens a new one.
                output_.reset();
                sound_.reset();
            }
        }
    }

  private:
    using Clock = std::chrono::steady_clock;

    bool Sounding() const { return leadIn_ > 0 || (sound_ && played_ < sound_->Frames()); }

    void Start(const std::string& path) {
        sound_.reset();
        played_ = 0;
        leadIn_ = 0;
        if (!EnsureOutput()) return;
        // What the old cue still has queued would be heard before the new one.
        output_->Flush();
        runUntil_ = Clock::now() + KeepRunning;
        if (path.empty()) return;
        sound_ = cues_.Get(path);
        if (sound_) leadIn_ = LeadInFrames;
    }

    bool WriteBlock(const std::vector<int16_t>& silence) {
        if (leadIn_ > 0) {
            const std::size_t frames = std::min(BlockFrames, leadIn_);
            leadIn_ -= frames;
            return output_->Write(silence.data(), frames);
        }
        const std::size_t left = sound_ ? sound_->Frames() - played_ : 0;
        if (left == 0) return output_->Write(silence.data(), BlockFrames);
        const std::size_t frames = std::min(BlockFrames, left);
        if (!output_->Write(sound_->samples.data() + played_ * AudioChannels, frames)) return false;
        played_ += frames;
        if (played_ == sound_->Frames()) runUntil_ = Clock::now() + KeepRunning;
        return true;
    }

    bool EnsureOutput() {
        if (output_) return true;
        const auto now = Clock::now();
        if (now < nextOpenAttempt_) return false;
        std::string error;
        output_ = shared_->openOutput(error);
        if (output_) return true;
        nextOpenAttempt_ = now + RetryAfter;
        // One line for the whole run: a player without sound needs telling once, not at every cue.
        if (!std::exchange(failureReported_, true))
            qWarning("Sound cues stay silent: no sound output (%s)", error.c_str());
        return false;
    }

    std::shared_ptr<CuePlayer::Shared> shared_;
    std::unique_ptr<AudioOutput> output_;
    DecodedCues cues_;
    std::shared_ptr<const CueSound> sound_;
    std::size_t played_ = 0;
    std::size_t leadIn_ = 0;
    Clock::time_point runUntil_{};
    Clock::time_point nextOpenAttempt_{};
    bool failureReported_ = false;
};

}  // namespace

AudioOutputFactory& CueOutputFactory() {
    static AudioOutputFactory factory = [](std::string& error) {
        return OpenPulseOutput("Sound cues", OutputLatencyMs, error);
    };
    return factory;
}

CuePlayer::CuePlayer(AudioOutputFactory openOutput)
    : shared_(std::make_shared<Shared>(std::move(openOutput))), worker_([shared = shared_] {
          // Requests are guarded one by one; this is for what is left, such as an output whose
          // write throws: the cues fall silent, the game goes on.
          try {
              CueWorker(shared).Run();
          } catch (const std::exception& e) {
              qWarning("Sound cues stay silent: %s", e.what());
          }
      }) {}

CuePlayer::~CuePlayer() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->quit = true;
    }
    shared_->wake.notify_one();
    if (!worker_.JoinFor(ExitDeadline))
        qWarning("Sound cues: the sound server does not answer; leaving without it");
}

void CuePlayer::Play(const QString& name) {
    // Resolved now: the folder is the current directory at the moment of the call.
    const QString path = QDir::cleanPath(
        QDir::current().absoluteFilePath(QString::fromStdString(CuePath(name.toStdString()))));
    source_ = QUrl::fromLocalFile(path);
    Post(path.toStdString());
}

void CuePlayer::Stop() {
    Post({});
}

void CuePlayer::Post(std::string path) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->pending = std::move(path);
    }
    shared_->wake.notify_one();
}

}  // namespace tessaly

#include "ui/music_player.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <optional>
#include <utility>

#include "ui/midi_file.h"
#include "ui/regular_file.h"

namespace tessaly {

namespace {

// Our pieces are a few kilobytes; a megabyte is a long symphony.
constexpr std::size_t MaxMidiFileBytes = 1024 * 1024;
constexpr int BlockFrames = 512;
// Below -60 dBFS a tail is lost under any room's noise; once the last event has passed and the
// sound has stayed under it this long, the piece is over.
constexpr float AudibleLevel = 0.001f;
constexpr int64_t QuietFrames = AudioRate / 10;
// Enough buffer to ride over a busy moment without adding a noticeable delay to the start.
constexpr int OutputLatencyMs = 100;
// While the sound server is gone, the render thread asks again this often, without a word.
constexpr std::chrono::seconds RetryAfter{1};
// Our busiest piece sounds 81 voices at once, and every piece renders sample for sample the same
// as with FluidSynth's 256; each voice slot held costs about 10 KiB whether it sounds or not.
constexpr int Polyphony = 128;

// FluidSynth writes its complaints to the console; a player should see one clear message
// instead, so keep the last error to explain a failure and drop the rest.
std::mutex logMutex;
std::string lastFluidError;

void KeepLastError(int level, const char* message, void*) {
    if (level > FLUID_ERR || message == nullptr) return;
    std::lock_guard lock(logMutex);
    lastFluidError = message;
}

void DropMessage(int, const char*, void*) {}

void InstallLogFunctions() {
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, KeepLastError, nullptr);
        fluid_set_log_function(FLUID_ERR, KeepLastError, nullptr);
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, DropMessage, nullptr);
    });
}

std::string TakeLastError() {
    std::lock_guard lock(logMutex);
    return std::exchange(lastFluidError, {});
}

std::string WithReason(std::string text, const std::string& reason) {
    if (!reason.empty()) text += " (" + reason + ")";
    return text;
}

}  // namespace

struct MusicPlayer::RenderControl {
    std::mutex mutex;  // held while rendering, and while a player is freed
    std::condition_variable changed;
    bool stop = false;  // once set, the thread touches nothing of the player's again
    std::optional<std::string> firstOpen;  // the first open's answer: empty when it worked
    // The output came back after the server was lost: the piece it cut reads as ended, so
    // that the watch starts the next one.
    bool resumed = false;
};

void MusicPlayer::Deleter::operator()(fluid_settings_t* p) const {
    delete_fluid_settings(p);
}
void MusicPlayer::Deleter::operator()(fluid_synth_t* p) const {
    delete_fluid_synth(p);
}
void MusicPlayer::Deleter::operator()(fluid_player_t* p) const {
    delete_fluid_player(p);
}

MusicPlayer::MusicPlayer(MusicPlayerOptions options) : options_(std::move(options)) {
    if (!options_.output) {
        options_.output = [](std::string& error) {
            return OpenPulseOutput("Music", OutputLatencyMs, error);
        };
    }
}

MusicPlayer::~MusicPlayer() {
    Close();
    const auto deadline = std::chrono::steady_clock::now() + ExitDeadline;
    for (AudioThread& thread : stopping_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        thread.JoinFor(std::max(left, std::chrono::milliseconds(0)));
    }
    synth_.reset();
    settings_.reset();
}

std::string MusicPlayer::SetUpSynth() {
    if (synth_) return {};
    InstallLogFunctions();
    if (!settings_) {
        settings_.reset(new_fluid_settings());
        if (!settings_) return "Cannot play music: FluidSynth could not start";
        fluid_settings_setint(settings_.get(), "synth.dynamic-sample-loading", 1);
        fluid_settings_setint(settings_.get(), "synth.polyphony", Polyphony);
        fluid_settings_setnum(settings_.get(), "synth.sample-rate", AudioRate);
        fluid_settings_setnum(settings_.get(), "synth.gain", options_.gain);
    }
    synth_.reset(new_fluid_synth(settings_.get()));
    if (!synth_) return WithReason("Cannot play music: no synthesiser", TakeLastError());
    if (fluid_synth_sfload(synth_.get(), options_.soundFont.c_str(), 1) == FLUID_FAILED) {
        synth_.reset();
        return WithReason(
            "Cannot play music: the SoundFont " + options_.soundFont + " could not be loaded",
            TakeLastError());
    }
    return {};
}

std::string MusicPlayer::Open(const std::string& path) {
    Retire();
    // With the old piece gone and no new one, the output would only render silence.
    std::string failure = Load(path);
    if (!failure.empty()) StopOutput();
    return failure;
}

std::string MusicPlayer::Load(const std::string& path) {
    const FileReadResult file = ReadRegularFile(path, MaxMidiFileBytes);
    if (!file.Ok()) return "Cannot open the music file " + path + ": " + file.reason;
    if (std::string problem = CheckMidiFile(file.bytes); !problem.empty())
        return "Cannot open the music file " + path + ": " + problem;
    if (std::string failure = SetUpSynth(); !failure.empty()) return failure;

    std::unique_ptr<fluid_player_t, Deleter> player;
    {
        // A player joins and leaves the synthesiser's timers, which the render thread walks and
        // FluidSynth does not lock.
        std::unique_lock<std::mutex> lock = LockRendering();
        player.reset(new_fluid_player(synth_.get()));
        if (!player) return WithReason("Cannot play music: no MIDI player", TakeLastError());
        // From the bytes checked above, not the file again: it may have changed since.
        if (fluid_player_add_mem(player.get(), file.bytes.data(), file.bytes.size()) != FLUID_OK) {
            std::string failure = WithReason("Cannot open the music file " + path, TakeLastError());
            player.reset();
            return failure;
        }
    }
    // Not under the lock: this may wait for the sound server. A failure here has stopped the
    // render thread, so the player is freed with nothing rendering.
    if (std::string failure = StartOutput(); !failure.empty()) return failure;
    std::unique_lock<std::mutex> lock = LockRendering();
    player_ = std::move(player);
    renderedFrames_ = 0;
    lastAudibleFrame_ = 0;
    if (control_) control_->resumed = false;
    return {};
}

std::unique_lock<std::mutex> MusicPlayer::LockRendering() const {
    if (!control_) return {};
    return std::unique_lock(control_->mutex);
}

void MusicPlayer::Play() {
    if (!player_) return;
    // Starting resets the player's timer, which the render thread may be reading.
    std::unique_lock<std::mutex> lock = LockRendering();
    fluid_player_play(player_.get());
}

void MusicPlayer::Stop() {
    if (!player_) return;
    const int64_t length = this->Length();
    Retire();
    // Nothing sounds until the next piece: give the sound device back meanwhile.
    StopOutput();
    // Nor does the synthesiser and its SoundFont (some 10 MiB) stay loaded while the music is
    // off. Once the output is stopped no render thread touches it again, even one still held
    // by the server: it renders only under the lock, and only while not told to stop.
    synth_.reset();
    stoppedLength_ = length;
}

void MusicPlayer::Close() {
    Retire();
    StopOutput();
}

// Notes the player had started would otherwise hang on after it stopped; and a finished
// player is freed at once, so that hours of music take no more memory than one piece.
void MusicPlayer::Retire() {
    stoppedLength_ = 0;
    if (!player_) return;
    std::unique_lock<std::mutex> lock = LockRendering();
    fluid_player_stop(player_.get());
    fluid_synth_all_sounds_off(synth_.get(), -1);
    player_.reset();
}

std::string MusicPlayer::StartOutput() {
    if (options_.offline || control_) return {};
    auto control = std::make_shared<RenderControl>();
    // The output is opened on the thread that writes to it; its first answer comes back here
    // if it comes soon, and a server that does not answer holds only that thread.
    renderThread_ = AudioThread([this, control, open = options_.output] {
        try {
            RenderThread(control, open);
        } catch (const std::exception& e) {
            std::lock_guard lock(control->mutex);
            if (!control->firstOpen) control->firstOpen = e.what();
            control->changed.notify_all();
        }
    });
    control_ = control;
    std::unique_lock lock(control->mutex);
    if (!control->changed.wait_for(lock, options_.openDeadline,
                                   [&] { return control->firstOpen.has_value(); }))
        return {};
    const std::string error = *control->firstOpen;
    lock.unlock();
    if (error.empty()) return {};
    StopOutput();
    return WithReason("Cannot play music: no sound output could be opened", error);
}

void MusicPlayer::StopOutput() {
    if (!control_) return;
    {
        std::lock_guard lock(control_->mutex);
        control_->stop = true;
    }
    control_->changed.notify_all();
    control_.reset();
    // Not waited for: a write to a stalled server may take any time. It ends by itself.
    stopping_.push_back(std::move(renderThread_));
    std::erase_if(stopping_, [](AudioThread& t) {
        return t.Ended() && t.JoinFor(std::chrono::milliseconds(0));
    });
}

// Runs until told to stop: opens the output, renders into it, and when a write fails (the server
// went away) opens it again until the server is back.
void MusicPlayer::RenderThread(const std::shared_ptr<RenderControl>& control,
                               AudioOutputFactory open) {
    bool lost = false;
    for (;;) {
        std::string error;
        std::unique_ptr<AudioOutput> output = open(error);
        {
            std::unique_lock lock(control->mutex);
            if (!control->firstOpen) {
                control->firstOpen = output ? std::string() : error;
                control->changed.notify_all();
            }
            if (control->stop) return;
            if (!output) {
                lost = true;
                if (control->changed.wait_for(lock, RetryAfter, [&] { return control->stop; }))
                    return;
                continue;
            }
            if (lost) control->resumed = true;
        }
        if (RenderUntilStopped(*control, *output)) return;
        lost = true;
    }
}

// True when told to stop, false when a write failed.
bool MusicPlayer::RenderUntilStopped(RenderControl& control, AudioOutput& output) {
    std::vector<float> mixed(static_cast<size_t>(BlockFrames * AudioChannels));
    std::vector<int16_t> block(mixed.size());
    for (;;) {
        {
            std::lock_guard lock(control.mutex);
            if (control.stop) return true;
            Render(mixed.data(), BlockFrames);
        }
        std::transform(mixed.begin(), mixed.end(), block.begin(), [](float v) {
            return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
        });
        if (!output.Write(block.data(), BlockFrames)) return false;
    }
}

// Renders under the render control's lock (or on the only thread, offline) and keeps track of when
// the sound was last audible.
float MusicPlayer::Render(float* interleaved, int frames) {
    fluid_synth_write_float(synth_.get(), frames, interleaved, 0, 2, interleaved, 1, 2);
    float peak = 0.0f;
    int64_t loud = -1;
    for (int i = 0; i < frames * AudioChannels; ++i) {
        const float level = std::abs(interleaved[i]);
        peak = std::max(peak, level);
        if (level > AudibleLevel) loud = i / AudioChannels;
    }
    const int64_t start = renderedFrames_.fetch_add(frames);
    if (loud >= 0) lastAudibleFrame_ = start + loud;
    return peak;
}

bool MusicPlayer::PieceEnded() const {
    if (control_) {
        std::lock_guard lock(control_->mutex);
        if (control_->resumed) return true;
    }
    if (fluid_player_get_status(player_.get()) == FLUID_PLAYER_DONE) return true;
    const int total = fluid_player_get_total_ticks(player_.get());
    if (total <= 0 || fluid_player_get_current_tick(player_.get()) < total) return false;
    return renderedFrames_ - lastAudibleFrame_ >= QuietFrames;
}

int64_t MusicPlayer::Length() const {
    if (!player_) return stoppedLength_;
    // The total reads 0 until the player has loaded the piece at its first step.
    return std::max<int64_t>(fluid_player_get_total_ticks(player_.get()), 1);
}

int64_t MusicPlayer::Position() const {
    if (!player_) return stoppedLength_;
    const int64_t total = Length();
    if (PieceEnded()) return total;
    return std::min<int64_t>(fluid_player_get_current_tick(player_.get()), total - 1);
}

float MusicPlayer::RenderOffline(int frames, std::vector<float>* samples) {
    if (!synth_ || !options_.offline || frames <= 0) return 0.0f;
    std::vector<float> block(static_cast<size_t>(BlockFrames * AudioChannels));
    float peak = 0.0f;
    for (int done = 0; done < frames; done += BlockFrames) {
        const int n = std::min(BlockFrames, frames - done);
        peak = std::max(peak, Render(block.data(), n));
        if (samples)
            samples->insert(samples->end(), block.begin(), block.begin() + n * AudioChannels);
    }
    return peak;
}

}  // namespace tessaly

#include "ui/music_player.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <utility>

namespace tessaly {

namespace {

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

void MusicPlayer::Deleter::operator()(fluid_settings_t* p) const {
    delete_fluid_settings(p);
}
void MusicPlayer::Deleter::operator()(fluid_synth_t* p) const {
    delete_fluid_synth(p);
}
void MusicPlayer::Deleter::operator()(fluid_player_t* p) const {
    delete_fluid_player(p);
}
void MusicPlayer::Deleter::operator()(fluid_audio_driver_t* p) const {
    delete_fluid_audio_driver(p);
}

MusicPlayer::MusicPlayer(MusicPlayerOptions options) : options_(std::move(options)) {}

MusicPlayer::~MusicPlayer() {
    close();
    synth_.reset();
    settings_.reset();
}

std::string MusicPlayer::setUpSynth() {
    if (synth_) return {};
    InstallLogFunctions();
    if (!settings_) {
        settings_.reset(new_fluid_settings());
        if (!settings_) return "Cannot play music: FluidSynth could not start";
        fluid_settings_setint(settings_.get(), "synth.dynamic-sample-loading", 1);
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

std::string MusicPlayer::setUpAudio() {
    if (driver_ || options_.offline) return {};
    std::string reason;
    for (const std::string& name : options_.audioDrivers) {
        std::string driverName = name;
        if (driverName.empty()) {
            char* fallback = nullptr;
            if (fluid_settings_getstr_default(settings_.get(), "audio.driver", &fallback) ==
                    FLUID_OK &&
                fallback != nullptr)
                driverName = fallback;
        }
        if (driverName.empty() || fluid_settings_setstr(settings_.get(), "audio.driver",
                                                        driverName.c_str()) != FLUID_OK) {
            reason = "no audio driver named \"" + driverName + "\"";
            continue;
        }
        if (driverName == "file" && !options_.outputFile.empty())
            fluid_settings_setstr(settings_.get(), "audio.file.name", options_.outputFile.c_str());
        driver_.reset(new_fluid_audio_driver(settings_.get(), synth_.get()));
        if (driver_) return {};
        reason = TakeLastError();
    }
    return WithReason("Cannot play music: no sound output could be opened", reason);
}

std::string MusicPlayer::open(const std::string& path) {
    retire();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return "Cannot open the music file " + path + ": file not found";
    if (!fluid_is_midifile(path.c_str()))
        return "Cannot open the music file " + path + ": not a MIDI file";
    if (std::string failure = setUpSynth(); !failure.empty()) return failure;

    player_.reset(new_fluid_player(synth_.get()));
    if (!player_) return WithReason("Cannot play music: no MIDI player", TakeLastError());
    if (fluid_player_add(player_.get(), path.c_str()) != FLUID_OK) {
        player_.reset();
        return WithReason("Cannot open the music file " + path, TakeLastError());
    }
    if (std::string failure = setUpAudio(); !failure.empty()) {
        player_.reset();  // no output, so no thread that could be stepping it
        return failure;
    }
    return {};
}

void MusicPlayer::play() {
    if (player_) fluid_player_play(player_.get());
}

void MusicPlayer::stop() {
    if (!player_) return;
    fluid_player_stop(player_.get());
    silence();
    // Nothing sounds until the next piece: give the sound device back meanwhile.
    releaseOutput();
}

void MusicPlayer::close() {
    retire();
    releaseOutput();
}

// The audio thread steps every player the synthesiser knows, and FluidSynth does not guard
// their removal against it; so a player that is done with stays until the output has gone.
void MusicPlayer::retire() {
    if (!player_) return;
    fluid_player_stop(player_.get());
    silence();
    if (driver_)
        retired_.push_back(std::move(player_));
    else
        player_.reset();
}

void MusicPlayer::releaseOutput() {
    driver_.reset();
    retired_.clear();
}

// Notes the player had started would otherwise hang on after it stopped.
void MusicPlayer::silence() {
    if (synth_) fluid_synth_all_sounds_off(synth_.get(), -1);
}

bool MusicPlayer::pieceDone() const {
    return fluid_player_get_status(player_.get()) == FLUID_PLAYER_DONE;
}

int64_t MusicPlayer::length() const {
    if (!player_) return 0;
    // The total reads 0 until the player has loaded the piece at its first step.
    return std::max<int64_t>(fluid_player_get_total_ticks(player_.get()), 1);
}

int64_t MusicPlayer::position() const {
    if (!player_) return 0;
    const int64_t total = length();
    if (pieceDone()) return total;
    // The tick runs on past the total while the last notes ring out.
    return std::min<int64_t>(fluid_player_get_current_tick(player_.get()), total - 1);
}

float MusicPlayer::renderOffline(int frames) {
    if (!synth_ || !options_.offline || frames <= 0) return 0.0f;
    constexpr int Block = 1024;
    std::vector<float> left(Block), right(Block);
    float peak = 0.0f;
    for (int done = 0; done < frames; done += Block) {
        const int n = std::min(Block, frames - done);
        fluid_synth_write_float(synth_.get(), n, left.data(), 0, 1, right.data(), 0, 1);
        for (int i = 0; i < n; ++i)
            peak = std::max({peak, std::abs(left[static_cast<size_t>(i)]),
                             std::abs(right[static_cast<size_t>(i)])});
    }
    return peak;
}

}  // namespace tessaly

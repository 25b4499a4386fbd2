// A sound output that keeps what it is given, paced like a device: each write takes as long as
// the frames last. Tests wait on what arrives, never on a guessed duration.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ui/audio_output.h"

namespace tessaly::test {

using Clock = std::chrono::steady_clock;

struct CaptureLog {
    struct Block {
        Clock::time_point at;
        std::vector<int16_t> samples;  // empty: a flush
    };

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Block> blocks;
    int opens = 0;

    // Waits until `done(blocks)` holds; false after ten seconds, so that a fault fails the test
    // instead of hanging it.
    template <typename Done>
    bool WaitFor(Done done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return done(blocks); });
    }
    std::vector<Block> Snapshot() {
        std::lock_guard lock(mutex);
        return blocks;
    }
    int Flushes() {
        std::lock_guard lock(mutex);
        int n = 0;
        for (const Block& b : blocks) n += b.samples.empty();
        return n;
    }
};

class CaptureOutput : public AudioOutput {
  public:
    explicit CaptureOutput(std::shared_ptr<CaptureLog> log) : log_(std::move(log)) {}

    bool write(const int16_t* samples, std::size_t frames) override {
        Add({Clock::now(), std::vector<int16_t>(samples, samples + frames * AudioChannels)});
        std::this_thread::sleep_for(std::chrono::microseconds(frames * 1'000'000 / AudioRate));
        return true;
    }
    void flush() override { Add({Clock::now(), {}}); }

    static AudioOutputFactory Factory(std::shared_ptr<CaptureLog> log) {
        return [log](std::string&) -> std::unique_ptr<AudioOutput> {
            {
                std::lock_guard lock(log->mutex);
                ++log->opens;
            }
            return std::make_unique<CaptureOutput>(log);
        };
    }

  private:
    void Add(CaptureLog::Block block) {
        {
            std::lock_guard lock(log_->mutex);
            log_->blocks.push_back(std::move(block));
        }
        log_->changed.notify_all();
    }
    std::shared_ptr<CaptureLog> log_;
};

}  // namespace tessaly::test

// A sound output that keeps what it is given, paced like a device: each write takes as long as
// the frames last. Tests wait on what arrives, never on a guessed duration. It can also stand
// for a stalled server (opens and writes hold until released) and for one that goes away
// (writes fail) and comes back.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <string>
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
    // A stalled server: opens and writes wait here until `stalled` is cleared.
    bool stalled = false;
    int waiting = 0;  // calls held by the stall right now
    // When set, the server stalls right after the first block that holds this sample value.
    int16_t stallAfter = 0;
    // A server that went away: writes and opens fail while it is gone.
    bool gone = false;
    int failedWrites = 0;

    // Holds the caller while the server is stalled; call with `mutex` held.
    void HoldWhileStalled(std::unique_lock<std::mutex>& lock) {
        if (!stalled) return;
        ++waiting;
        changed.notify_all();
        changed.wait(lock, [&] { return !stalled; });
        --waiting;
    }
    template <typename Change>
    void Set(Change change) {
        {
            std::lock_guard lock(mutex);
            change(*this);
        }
        changed.notify_all();
    }
    // Waits, as WaitFor does, on the log's other fields.
    template <typename Done>
    bool WaitForLog(Done done) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(10), [&] { return done(*this); });
    }

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

inline bool Has(const std::vector<int16_t>& samples, int16_t value) {
    return std::find(samples.begin(), samples.end(), value) != samples.end();
}

// Every captured sample in order, and where each flush fell.
struct Stream {
    std::vector<int16_t> samples;
    std::vector<std::size_t> flushes;  // sample index at each flush
    explicit Stream(const std::vector<CaptureLog::Block>& blocks) {
        for (const auto& b : blocks) {
            if (b.samples.empty()) flushes.push_back(samples.size());
            samples.insert(samples.end(), b.samples.begin(), b.samples.end());
        }
    }
    std::size_t First(int16_t value) const {
        return static_cast<std::size_t>(std::find(samples.begin(), samples.end(), value) -
                                        samples.begin());
    }
    std::size_t Last(int16_t value) const {
        const auto it = std::find(samples.rbegin(), samples.rend(), value);
        return it == samples.rend() ? std::string::npos
                                    : static_cast<std::size_t>(samples.rend() - it - 1);
    }
};

// Runs `call` and tells whether it came back while the server was stalled. A call that waits for
// the server is let go after ten seconds, by ending the stall, so that the test fails instead of
// hanging.
template <typename Call>
bool ReturnsWhileStalled(CaptureLog& log, Call call) {
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(std::chrono::seconds(10)) == std::future_status::ready) return true;
    log.Set([](CaptureLog& l) { l.stalled = false; });
    done.wait();
    return false;
}

class CaptureOutput : public AudioOutput {
  public:
    explicit CaptureOutput(std::shared_ptr<CaptureLog> log) : log_(std::move(log)) {}

    bool Write(const int16_t* samples, std::size_t frames) override {
        {
            std::unique_lock lock(log_->mutex);
            log_->HoldWhileStalled(lock);
            if (log_->gone) {
                ++log_->failedWrites;
                log_->changed.notify_all();
                return false;
            }
        }
        Add({Clock::now(), std::vector<int16_t>(samples, samples + frames * AudioChannels)});
        std::this_thread::sleep_for(std::chrono::microseconds(frames * 1'000'000 / AudioRate));
        return true;
    }
    void Flush() override { Add({Clock::now(), {}}); }

    static AudioOutputFactory Factory(std::shared_ptr<CaptureLog> log) {
        return [log](std::string& error) -> std::unique_ptr<AudioOutput> {
            {
                std::unique_lock lock(log->mutex);
                log->HoldWhileStalled(lock);
                if (log->gone) {
                    error = "Connection refused";
                    return nullptr;
                }
                ++log->opens;
            }
            log->changed.notify_all();
            return std::make_unique<CaptureOutput>(log);
        };
    }

  private:
    void Add(CaptureLog::Block block) {
        {
            std::lock_guard lock(log_->mutex);
            if (log_->stallAfter != 0 && Has(block.samples, log_->stallAfter)) {
                log_->stalled = true;
                log_->stallAfter = 0;
            }
            log_->blocks.push_back(std::move(block));
        }
        log_->changed.notify_all();
    }
    std::shared_ptr<CaptureLog> log_;
};

}  // namespace tessaly::test

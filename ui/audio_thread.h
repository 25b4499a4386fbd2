// A thread that talks to the sound server. A stopped or frozen server can hold any of its calls
// for as long as it likes, so nobody waits for this thread without a deadline: past it, the
// thread is left to finish on its own. Everything it touches must therefore be its own (shared
// state held by the thread, never the owner's members).
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace tessaly {

class AudioThread {
  public:
    AudioThread() = default;
    explicit AudioThread(std::function<void()> body) : ended_(std::make_shared<EndState>()) {
        thread_ = std::thread([ended = ended_, body = std::move(body)] {
            body();
            {
                std::lock_guard lock(ended->mutex);
                ended->done = true;
            }
            ended->changed.notify_all();
        });
    }
    AudioThread(AudioThread&&) = default;
    AudioThread& operator=(AudioThread&& other) noexcept {
        Leave();
        thread_ = std::move(other.thread_);
        ended_ = std::move(other.ended_);
        return *this;
    }
    // Never joins: a thread still running here is left to finish.
    ~AudioThread() { Leave(); }

    bool Running() const { return thread_.joinable(); }
    // True once the thread has returned (or was never started).
    bool Ended() const {
        if (!ended_) return true;
        std::lock_guard lock(ended_->mutex);
        return ended_->done;
    }

    // Waits up to `deadline` for the thread to end. True when it has ended (and is joined);
    // false when it is still inside a call and has been left behind.
    bool JoinFor(std::chrono::milliseconds deadline) {
        if (!thread_.joinable()) return true;
        bool done = false;
        {
            std::unique_lock lock(ended_->mutex);
            done = ended_->changed.wait_for(lock, deadline, [&] { return ended_->done; });
        }
        if (!done) {
            thread_.detach();
            return false;
        }
        thread_.join();  // only returns from its last statement now
        return true;
    }

  private:
    struct EndState {
        std::mutex mutex;
        std::condition_variable changed;
        bool done = false;
    };
    void Leave() {
        if (thread_.joinable()) JoinFor(std::chrono::milliseconds(0));
    }
    std::thread thread_;
    std::shared_ptr<EndState> ended_;
};

}  // namespace tessaly

// A music player that plays nothing: it records what it was asked, and its position is moved
// by hand so that a piece can be made to end.
#pragma once

#include <string>
#include <vector>

#include "game/music_device.h"

namespace tessaly::test {

class FakeMusicDevice : public MusicDevice {
  public:
    std::vector<std::string> calls;  // "open <path>", "play", "stop", "close"
    std::string failWith;            // the next opens fail with this text while it is set
    int64_t pieceLength = 1000;
    int64_t at = 0;

    std::string open(const std::string& path) override {
        calls.push_back("open " + path);
        open_ = false;
        at = 0;
        if (!failWith.empty()) return failWith;
        open_ = true;
        return {};
    }
    void play() override { calls.push_back("play"); }
    void stop() override { calls.push_back("stop"); }
    void close() override {
        calls.push_back("close");
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    int64_t position() const override { return open_ ? at : 0; }
    int64_t length() const override { return open_ ? pieceLength : 0; }

    std::vector<std::string> opens() const {
        std::vector<std::string> paths;
        for (const std::string& c : calls)
            if (c.rfind("open ", 0) == 0) paths.push_back(c.substr(5));
        return paths;
    }

  private:
    bool open_ = false;
};

}  // namespace tessaly::test

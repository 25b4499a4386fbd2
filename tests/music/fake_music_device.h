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

    std::string Open(const std::string& path) override {
        calls.push_back("open " + path);
        open_ = false;
        at = 0;
        if (!failWith.empty()) return failWith;
        open_ = true;
        return {};
    }
    void Play() override { calls.push_back("play"); }
    void Stop() override { calls.push_back("stop"); }
    void Close() override {
        calls.push_back("close");
        open_ = false;
    }
    bool IsOpen() const override { return open_; }
    int64_t Position() const override { return open_ ? at : 0; }
    int64_t Length() const override { return open_ ? pieceLength : 0; }

    std::vector<std::string> Opens() const {
        std::vector<std::string> paths;
        for (const std::string& c : calls)
            if (c.rfind("open ", 0) == 0) paths.push_back(c.substr(5));
        return paths;
    }

  private:
    bool open_ = false;
};

}  // namespace tessaly::test

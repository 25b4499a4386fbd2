#include "smf_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

namespace tessaly::test {

namespace {

class Cursor {
  public:
    Cursor(const std::vector<std::uint8_t>& b, std::size_t at, std::size_t end)
        : b_(b), at_(at), end_(end) {}
    bool Done() const { return at_ >= end_; }
    std::uint8_t Peek() const {
        if (Done()) throw std::runtime_error("track cut short");
        return b_[at_];
    }
    std::uint8_t Byte() {
        const std::uint8_t v = Peek();
        ++at_;
        return v;
    }
    std::uint32_t VarLen() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t c = Byte();
            v = (v << 7) | (c & 0x7F);
            if (!(c & 0x80)) return v;
        }
        throw std::runtime_error("variable-length number longer than four bytes");
    }
    std::vector<std::uint8_t> Bytes(std::uint32_t n) {
        if (end_ - at_ < n) throw std::runtime_error("event runs past its track");
        std::vector<std::uint8_t> v(b_.begin() + static_cast<long>(at_),
                                    b_.begin() + static_cast<long>(at_ + n));
        at_ += n;
        return v;
    }

  private:
    const std::vector<std::uint8_t>& b_;
    std::size_t at_, end_;
};

std::uint32_t Be(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    if (at + static_cast<std::size_t>(bytes) > b.size()) throw std::runtime_error("file cut short");
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
    return v;
}

std::vector<MidiEvent> ReadTrack(Cursor c) {
    std::vector<MidiEvent> events;
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    bool ended = false;
    while (!c.Done()) {
        if (ended) throw std::runtime_error("events after end of track");
        tick += c.VarLen();
        MidiEvent e{tick, c.Peek(), 0, {}};
        if (e.status == 0xFF) {
            c.Byte();
            e.metaType = c.Byte();
            e.data = c.Bytes(c.VarLen());
            ended = e.metaType == 0x2F;
        } else if (e.status == 0xF0 || e.status == 0xF7) {
            c.Byte();
            e.data = c.Bytes(c.VarLen());
        } else {
            if (e.status & 0x80) {
                running = c.Byte();
            } else if (running == 0) {
                throw std::runtime_error("data byte without a status");
            }
            e.status = running;
            const int kind = running & 0xF0;
            e.data = c.Bytes(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
            for (std::uint8_t d : e.data) {
                if (d & 0x80) throw std::runtime_error("data byte above 127");
            }
        }
        events.push_back(std::move(e));
    }
    if (!ended) throw std::runtime_error("track without end-of-track");
    return events;
}

}  // namespace

MidiFile ReadSmf(const std::vector<std::uint8_t>& b) {
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Be(b, 4, 4) != 6) {
        throw std::runtime_error("no MThd header");
    }
    MidiFile midi;
    midi.format = static_cast<int>(Be(b, 8, 2));
    const std::uint32_t count = Be(b, 10, 2);
    midi.division = static_cast<int>(Be(b, 12, 2));
    if (midi.format > 1) throw std::runtime_error("format 2 is not for playing");
    if (midi.division <= 0 || midi.division >= 0x8000) {
        throw std::runtime_error("division must count ticks per quarter note");
    }
    std::size_t at = 14;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (Be(b, at, 4) != 0x4D54726B) throw std::runtime_error("expected an MTrk chunk");
        const std::uint32_t size = Be(b, at + 4, 4);
        if (at + 8 + size > b.size()) throw std::runtime_error("track chunk runs past the end");
        midi.tracks.push_back(ReadTrack(Cursor(b, at + 8, at + 8 + size)));
        at += 8 + size;
    }
    if (at != b.size()) throw std::runtime_error("bytes after the last track");
    if (midi.format == 0 && midi.tracks.size() != 1)
        throw std::runtime_error("format 0, not one track");
    return midi;
}

MidiFile ReadSmfFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + path.string());
    return ReadSmf(std::vector<std::uint8_t>((std::istreambuf_iterator<char>(file)), {}));
}

double DurationSeconds(const MidiFile& midi) {
    std::map<std::uint64_t, std::uint32_t> tempos;  // tick -> microseconds per quarter
    std::uint64_t last = 0;
    for (const auto& track : midi.tracks) {
        for (const MidiEvent& e : track) {
            last = std::max(last, e.tick);
            if (e.status == 0xFF && e.metaType == 0x51 && e.data.size() == 3) {
                tempos[e.tick] = (std::uint32_t(e.data[0]) << 16) | (e.data[1] << 8) | e.data[2];
            }
        }
    }
    double seconds = 0.0;
    std::uint64_t tick = 0;
    std::uint32_t tempo = 500000;
    for (const auto& [at, next] : tempos) {
        if (at >= last) break;
        seconds += double(at - tick) * tempo / 1e6 / midi.division;
        tick = at;
        tempo = next;
    }
    return seconds + double(last - tick) * tempo / 1e6 / midi.division;
}

}  // namespace tessaly::test

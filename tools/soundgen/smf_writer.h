#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace tessaly {

// Ticks per quarter note of every file we write: fine enough for sixteenths and ritardandos.
inline constexpr int kTicksPerQuarter = 480;

// The variable-length quantity of a delta time (7 bits a byte, high bit = more follows).
void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value);

// One track of a Standard MIDI File. Events may be added in any order; they are written sorted by
// time, and at equal times meta and controller events first, then note offs, then note ons, so
// that a repeated note is released before it is struck again.
class SmfTrack {
  public:
    void Name(std::string_view name);
    void Tempo(std::uint32_t tick, double quartersPerMinute);
    void TimeSignature(std::uint32_t tick, int numerator, int denominator);
    void Program(std::uint32_t tick, int channel, int program);
    void Controller(std::uint32_t tick, int channel, int controller, int value);
    // A note from tick for length ticks; length must be positive.
    void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

    // The MTrk chunk, end-of-track included.
    std::vector<std::uint8_t> Encode() const;

  private:
    struct Event {
        std::uint32_t tick;
        int order;  // tie-break at equal ticks, see the class comment
        std::vector<std::uint8_t> bytes;
    };
    void Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes);

    std::vector<Event> events_;
};

// A format 1 file: the first track conventionally carries the tempo map.
std::vector<std::uint8_t> EncodeSmf(const std::vector<SmfTrack>& tracks);

}  // namespace tessaly

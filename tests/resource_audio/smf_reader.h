#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tessaly::test {

struct MidiEvent {
    std::uint64_t tick;   // absolute, from the start of its track
    std::uint8_t status;  // 0xFF for meta events, 0xF0/0xF7 for sysex
    std::uint8_t metaType = 0;
    std::vector<std::uint8_t> data;  // channel message data bytes, or the meta/sysex body
};

struct MidiFile {
    int format = 0;
    int division = 0;  // ticks per quarter note
    std::vector<std::vector<MidiEvent>> tracks;
};

// A Standard MIDI File reader independent of our writer: running status, sysex and any meta
// event are understood. Throws std::runtime_error saying what is malformed.
MidiFile ReadSmf(const std::vector<std::uint8_t>& bytes);
MidiFile ReadSmfFile(const std::filesystem::path& path);

// Seconds from the start to the last event of any track, through the tempo map (tempo events
// of every track; 120 quarters a minute until the first).
double DurationSeconds(const MidiFile& midi);

}  // namespace tessaly::test

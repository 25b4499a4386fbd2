#include "ui/midi_file.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly {

namespace {

uint32_t Be32(std::string_view b, std::size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3]));
}

uint16_t Be16(std::string_view b, std::size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) << 8 |
                                 static_cast<uint8_t>(b[at + 1]));
}

// A variable-length quantity: at most four bytes of seven bits each.
std::optional<uint32_t> ReadVlq(std::string_view track, std::size_t& at) {
    uint32_t value = 0;
    for (int i = 0; i < 4 && at < track.size(); ++i) {
        const auto byte = static_cast<uint8_t>(track[at++]);
        value = value << 7 | (byte & 0x7F);
        if ((byte & 0x80) == 0) return value;
    }
    return std::nullopt;
}

const char* const CutShort = "the file is cut short or damaged";

// Walks the events of one track; empty when it is whole and closed.
std::string CheckTrack(std::string_view track) {
    std::size_t at = 0;
    uint8_t running = 0;
    while (at < track.size()) {
        if (!ReadVlq(track, at) || at >= track.size()) return CutShort;
        uint8_t status = static_cast<uint8_t>(track[at]);
        if (status & 0x80) {
            ++at;
        } else if (running != 0) {
            status = running;  // running status: the data byte is read below
        } else {
            return CutShort;
        }
        std::size_t length = 0;
        if (status == 0xFF) {
            if (at >= track.size()) return CutShort;
            const auto type = static_cast<uint8_t>(track[at++]);
            const std::optional<uint32_t> size = ReadVlq(track, at);
            if (!size || *size > track.size() - at) return CutShort;
            if (type == 0x2F) return {};  // end of track; anything after it is ignored
            length = *size;
        } else if (status == 0xF0 || status == 0xF7) {
            const std::optional<uint32_t> size = ReadVlq(track, at);
            if (!size) return CutShort;
            length = *size;
            running = 0;
        } else if (status >= 0xF0) {
            return CutShort;  // real-time and common messages have no place in a file
        } else {
            running = status;
            const uint8_t kind = status & 0xF0;
            length = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        }
        if (length > track.size() - at) return CutShort;
        at += length;
    }
    return "a track has no end";
}

}  // namespace

std::string CheckMidiFile(std::string_view bytes) {
    if (bytes.size() < 14 || bytes.substr(0, 4) != "MThd") return "not a MIDI file";
    const uint32_t headerLength = Be32(bytes, 4);
    if (headerLength < 6 || headerLength > bytes.size() - 8) return "not a MIDI file";
    const uint16_t format = Be16(bytes, 8);
    const uint16_t tracks = Be16(bytes, 10);
    const uint16_t division = Be16(bytes, 12);
    if (format > 2 || tracks == 0 || division == 0) return "not a MIDI file";
    // FluidSynth takes both of these without a word and then plays nothing.
    if (division & 0x8000) return "SMPTE time division is not supported";
    if (tracks > MaxMidiTracks) return "more than " + std::to_string(MaxMidiTracks) + " tracks";

    std::size_t at = 8 + headerLength;
    int found = 0;
    while (found < tracks) {
        if (bytes.size() - at < 8) return CutShort;
        const uint32_t length = Be32(bytes, at + 4);
        if (length > bytes.size() - at - 8) return CutShort;
        const std::string_view body = bytes.substr(at + 8, length);
        // Chunks of other kinds are allowed and skipped, as the format asks.
        if (bytes.substr(at, 4) == "MTrk") {
            if (std::string problem = CheckTrack(body); !problem.empty()) return problem;
            ++found;
        }
        at += 8 + length;
    }
    return {};
}

}  // namespace tessaly

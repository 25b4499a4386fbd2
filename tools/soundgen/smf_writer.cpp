#include "smf_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "byte_io.h"

namespace tessaly {

namespace {

enum Order { kMeta = 0, kNoteOff = 1, kNoteOn = 2 };

std::uint8_t DataByte(int value) {
    if (value < 0 || value > 127) throw std::out_of_range("MIDI data byte out of range");
    return static_cast<std::uint8_t>(value);
}

std::uint8_t Status(int kind, int channel) {
    if (channel < 0 || channel > 15) throw std::out_of_range("MIDI channel out of range");
    return static_cast<std::uint8_t>(kind | channel);
}

}  // namespace

void AppendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value) {
    if (value > 0x0FFFFFFF) throw std::out_of_range("delta time too large for a MIDI file");
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void SmfTrack::Add(std::uint32_t tick, int order, std::vector<std::uint8_t> bytes) {
    events_.push_back({tick, order, std::move(bytes)});
}

void SmfTrack::Name(std::string_view name) {
    std::vector<std::uint8_t> bytes = {0xFF, 0x03};
    AppendVarLen(bytes, static_cast<std::uint32_t>(name.size()));
    bytes.insert(bytes.end(), name.begin(), name.end());
    Add(0, kMeta, std::move(bytes));
}

void SmfTrack::Tempo(std::uint32_t tick, double quartersPerMinute) {
    const auto micros = static_cast<std::uint32_t>(std::lround(60'000'000.0 / quartersPerMinute));
    std::vector<std::uint8_t> bytes = {0xFF, 0x51, 0x03};
    AppendBe(bytes, micros, 3);
    Add(tick, kMeta, std::move(bytes));
}

void SmfTrack::TimeSignature(std::uint32_t tick, int numerator, int denominator) {
    int power = 0;
    while ((1 << power) < denominator) ++power;
    // 24 clocks a metronome click, 8 thirty-seconds a quarter: the usual values
    Add(tick, kMeta, {0xFF, 0x58, 0x04, DataByte(numerator), DataByte(power), 24, 8});
}

void SmfTrack::Program(std::uint32_t tick, int channel, int program) {
    Add(tick, kMeta, {Status(0xC0, channel), DataByte(program)});
}

void SmfTrack::Controller(std::uint32_t tick, int channel, int controller, int value) {
    Add(tick, kMeta, {Status(0xB0, channel), DataByte(controller), DataByte(value)});
}

void SmfTrack::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
    if (length == 0) throw std::invalid_argument("a note needs a length");
    if (velocity < 1) throw std::out_of_range("a note-on needs a velocity of at least 1");
    Add(tick, kNoteOn, {Status(0x90, channel), DataByte(key), DataByte(velocity)});
    Add(tick + length, kNoteOff, {Status(0x80, channel), DataByte(key), 64});
}

std::vector<std::uint8_t> SmfTrack::Encode() const {
    std::vector<const Event*> sorted;
    sorted.reserve(events_.size());
    for (const Event& e : events_) sorted.push_back(&e);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
        return a->tick != b->tick ? a->tick < b->tick : a->order < b->order;
    });

    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const Event* e : sorted) {
        AppendVarLen(body, e->tick - now);
        now = e->tick;
        body.insert(body.end(), e->bytes.begin(), e->bytes.end());
    }
    AppendVarLen(body, 0);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<std::uint8_t> chunk;
    AppendTag(chunk, "MTrk");
    AppendBe(chunk, static_cast<std::uint32_t>(body.size()), 4);
    chunk.insert(chunk.end(), body.begin(), body.end());
    return chunk;
}

std::vector<std::uint8_t> EncodeSmf(const std::vector<SmfTrack>& tracks) {
    std::vector<std::uint8_t> out;
    AppendTag(out, "MThd");
    AppendBe(out, 6, 4);
    AppendBe(out, 1, 2);
    AppendBe(out, static_cast<std::uint32_t>(tracks.size()), 2);
    AppendBe(out, kTicksPerQuarter, 2);
    for (const SmfTrack& t : tracks) {
        std::vector<std::uint8_t> chunk = t.Encode();
        out.insert(out.end(), chunk.begin(), chunk.end());
    }
    return out;
}

}  // namespace tessaly

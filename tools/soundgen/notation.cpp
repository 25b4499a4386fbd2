#include "notation.h"

#include <charconv>
#include <string>

namespace tessaly {

namespace {

// Splits on blanks and bar lines.
std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    auto isGap = [](char c) { return c == ' ' || c == '\n' || c == '\t' || c == '|'; };
    while (i < text.size()) {
        while (i < text.size() && isGap(text[i])) ++i;
        std::size_t j = i;
        while (j < text.size() && !isGap(text[j])) ++j;
        if (j > i) out.push_back(text.substr(i, j - i));
        i = j;
    }
    return out;
}

[[noreturn]] void Fail(std::string_view token, std::string_view why) {
    throw NotationError("bad token \"" + std::string(token) + "\": " + std::string(why));
}

// Splits "head:length" and reads the length, or keeps the running one.
std::string_view SplitLength(std::string_view token, int& length) {
    const std::size_t colon = token.find(':');
    if (colon == std::string_view::npos) {
        if (length <= 0) Fail(token, "the first token needs a length");
        return token;
    }
    const std::string_view digits = token.substr(colon + 1);
    int value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size() || value <= 0 || value > 64) {
        Fail(token, "length must be 1 to 64 sixteenths");
    }
    length = value;
    return token.substr(0, colon);
}

// Reads "<letter>[#|b]" from the front of head; returns the pitch class and eats the letters.
int PitchClass(std::string_view token, std::string_view& head) {
    static constexpr int kNatural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (head.empty() || head[0] < 'A' || head[0] > 'G') Fail(token, "expected a note letter A-G");
    int pc = kNatural[head[0] - 'A'];
    head.remove_prefix(1);
    if (!head.empty() && (head[0] == '#' || head[0] == 'b')) {
        pc += head[0] == '#' ? 1 : -1;
        head.remove_prefix(1);
    }
    return (pc + 12) % 12;
}

std::vector<int> Quality(std::string_view token, std::string_view name) {
    if (name.empty()) return {0, 4, 7};
    if (name == "m") return {0, 3, 7};
    if (name == "7") return {0, 4, 7, 10};
    if (name == "m7") return {0, 3, 7, 10};
    if (name == "maj7") return {0, 4, 7, 11};
    if (name == "dim") return {0, 3, 6};
    if (name == "sus2") return {0, 2, 7};
    if (name == "sus4") return {0, 5, 7};
    if (name == "5") return {0, 7};
    Fail(token, "unknown chord quality");
}

}  // namespace

std::vector<ScoreNote> ParseMelody(std::string_view text) {
    std::vector<ScoreNote> notes;
    int length = 0;
    int now = 0;
    for (std::string_view token : Tokens(text)) {
        std::string_view head = SplitLength(token, length);
        int key = kRest;
        if (head != "R") {
            const int pc = PitchClass(token, head);
            if (head.size() != 1 || head[0] < '0' || head[0] > '8') {
                Fail(token, "expected an octave digit 0-8");
            }
            key = 12 * (head[0] - '0' + 1) + pc;
            // B#/Cb cross the octave line: keep the written octave's meaning
            if (token[1] == '#' && pc == 0) key += 12;
            if (token[1] == 'b' && pc == 11) key -= 12;
            if (key < 0 || key > 127) Fail(token, "outside the MIDI key range");
        }
        notes.push_back({key, now, length});
        now += length;
    }
    return notes;
}

std::vector<ScoreChord> ParseChords(std::string_view text) {
    std::vector<ScoreChord> chords;
    int length = 0;
    int now = 0;
    for (std::string_view token : Tokens(text)) {
        std::string_view head = SplitLength(token, length);
        if (head == "N") {
            chords.push_back({kNoChord, {}, now, length});
        } else {
            const int root = PitchClass(token, head);
            chords.push_back({root, Quality(token, head), now, length});
        }
        now += length;
    }
    return chords;
}

int TotalLength(const std::vector<ScoreNote>& notes) {
    return notes.empty() ? 0 : notes.back().start + notes.back().length;
}

int TotalLength(const std::vector<ScoreChord>& chords) {
    return chords.empty() ? 0 : chords.back().start + chords.back().length;
}

}  // namespace tessaly

#pragma once

#include <QString>
#include <array>
#include <string_view>

#include "picture_set.h"

namespace tessaly::picgen {

// Emoji that show one subject, or close kin, in several drawings where Unicode's names and
// keywords (subject_rules.h) do not tell: their pixels may differ a good deal, yet a player who
// has seen one takes the other for its twin, so no set may hold two of a group. Flags count as
// one subject too: they are told apart by what they stand for, not by look.
inline constexpr std::array<std::u32string_view, 14> kSameSubject{
    U"\U0001F6A1\U0001F6A0\U0001F69F",    // cable cars
    U"\U0001F388\U0001FA80",              // red balloon, red yo-yo
    U"\U0001F3DD\U0001F334",              // desert island, palm tree
    U"\U0001F95F\U0001F960",              // dumpling, fortune cookie
    U"\u2692\U0001F6E0\U0001F528\u26CF",  // hammers and picks
    U"\U0001F93F\U0001F97D",              // diving mask and goggles
    U"\u26FA\U0001F3D5",                  // tent, tent under a tree
    U"\U0001F686\U0001F68A",              // train and tram from the front
    U"\U0001F30C\U0001F320",              // night skies
    U"\u2618\U0001F340",                  // three- and four-leaf clover
    U"\U0001F4E2\U0001F4E3",              // loudspeaker, megaphone
    U"\U0001F9A2\U0001FABF",              // swan, goose (Unicode's data has no goose yet)
    U"\U0001F4CE\U0001F9F7",              // paperclip, safety pin
    U"\U0001F3BE\U0001F3F8",              // tennis, badminton: a racquet and a ball alike
};

// True for the emoji of a flag: regional letters, or a black flag with tag letters.
bool IsFlag(const QString& text);

// True when `a` and `b` are emoji of one subject.
bool SameSubject(const TileArt& a, const TileArt& b);

}  // namespace tessaly::picgen

#pragma once

#include <QString>
#include <array>
#include <string_view>

#include "picture_set.h"

namespace tessaly::picgen {

// Emoji that show one subject in several drawings. Their pixels may differ a good deal, yet a
// player who has seen one takes the other for its twin, so no set may hold two of a group.
// Flags count as one subject too: they are told apart by what they stand for, not by look.
inline constexpr std::array<std::u32string_view, 29> kSameSubject{
    U"\U0001F386\U0001F387",                      // fireworks, sparkler
    U"\U0001F3C8\U0001F3C9",                      // American and rugby football
    U"\U0001F3E0\U0001F3E1\U0001F3DA\U0001F3D8",  // houses
    U"\U0001F6A2\U0001F6F3\u26F4",                // ships and a ferry
    U"\U0001F6A1\U0001F6A0\U0001F69F",            // cable cars
    U"\U0001F37A\U0001F37B",                      // beer mugs
    U"\U0001F388\U0001FA80",                      // red balloon, red yo-yo
    U"\U0001F3DD\U0001F334",                      // desert island, palm tree
    U"\U0001F95F\U0001F960",                      // dumpling, fortune cookie
    U"\u2692\U0001F6E0\U0001F528\u26CF",          // hammers and picks
    U"\U0001F385\U0001F936",                      // Father and Mother Christmas
    U"\u2602\u2614\U0001F302\u26F1\U0001F3D6",    // umbrellas, also on a beach
    U"\U0001F93F\U0001F97D",                      // diving mask and goggles
    U"\U0001F6A3\U0001F6F6",                      // rowing boat, canoe
    U"\U0001F6A4\U0001F6E5",                      // motor boats
    U"\U0001F684\U0001F685",                      // high-speed trains
    U"\U0001F5FB\U0001F3D4\u26F0",                // snowy peaks
    U"\u26FA\U0001F3D5",                          // tent, tent under a tree
    U"\U0001F683\U0001F68B",                      // railway and tram carriages
    U"\U0001F686\U0001F68A",                      // train and tram from the front
    U"\u2708\U0001F6EB\U0001F6EC",                // airliners in flight and on the runway
    U"\U0001F3AB\U0001F39F",                      // tickets
    U"\U0001F4F7\U0001F4F8",                      // cameras
    U"\U0001F3A5\U0001F4FD",                      // film camera and projector
    U"\U0001F30C\U0001F320",                      // night skies
    U"\u2618\U0001F340",                          // three- and four-leaf clover
    U"\U0001F4E2\U0001F4E3",                      // loudspeaker, megaphone
    U"\U0001F9A2\U0001FABF",                      // swan, goose
    U"\U0001F4CE\U0001F9F7",                      // paperclip, safety pin
};

// True for the emoji of a flag: regional letters, or a black flag with tag letters.
bool isFlag(const QString& text);

// True when `a` and `b` are emoji of one subject.
bool sameSubject(const TileArt& a, const TileArt& b);

}  // namespace tessaly::picgen

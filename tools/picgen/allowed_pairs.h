#pragma once

#include <array>
#include <string_view>

#include "picture_set.h"

namespace tessaly::picgen {

// Pairs the check refuses that differ plainly in outline and light and dark when looked at on
// the review sheets. Every entry says why; a pair goes here only after a look, never to make a
// set pass. The check still counts them, so `picgen --look-alikes` shows them.
struct AllowedPair {
    std::u32string_view first, second;
    std::string_view why;
};

inline constexpr std::array kAllowedPairs{
    AllowedPair{U"\U0001F43C", U"\U0001F428",
                "panda's black eye patches and ears on white against koala's grey face"},
    AllowedPair{U"\U0001F994", U"\U0001F99B", "a small spiny ball against a long smooth body"},
    AllowedPair{U"\U0001F994", U"\U0001F9A3", "a small spiny ball against a tusked giant"},
    AllowedPair{U"\U0001F987", U"\U0001F99B", "spread black wings against a long smooth body"},
    AllowedPair{U"\U0001F9A5", U"\U0001F9A3",
                "a sloth hanging from a branch against a tusked giant"},
    AllowedPair{U"\U0001F340", U"\U0001F335", "four round leaves against an upright spiny column"},
    AllowedPair{U"\U0001F682", U"\U0001F684", "a black steam engine against a white pointed nose"},
    AllowedPair{U"\U0001F684", U"\U0001F6E4", "a train against empty rails"},
    AllowedPair{U"\U0001F3A5", U"\U0001F3AC", "a camera with two reels against a striped board"},
    AllowedPair{U"\U0001F965", U"\U0001F96D",
                "a brown shell cut open on white against a red and green fruit"},
    AllowedPair{U"\U0001F9C5", U"\U0001F33C",
                "a brown bulb with roots against a yellow flower with five petals"},
    AllowedPair{U"\U0001F3C0", U"\U0001F94C",
                "an orange ball with black seams against a grey stone with a red handle"},
};

// True when the check may let the two tiles through although it refuses them.
bool IsAllowedPair(const TileArt& a, const TileArt& b);

}  // namespace tessaly::picgen

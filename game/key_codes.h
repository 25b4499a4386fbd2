// Virtual-key codes: what the window hands to the key handler and what the handler reads.
#pragma once

#include <cstdint>

namespace tessaly::vk {

inline constexpr int32_t Backspace = 0x08;
inline constexpr int32_t Tab = 0x09;
inline constexpr int32_t Return = 0x0D;
inline constexpr int32_t Escape = 0x1B;
inline constexpr int32_t Space = 0x20;
inline constexpr int32_t Left = 0x25;
inline constexpr int32_t Up = 0x26;
inline constexpr int32_t Right = 0x27;
inline constexpr int32_t Down = 0x28;
// F1 to F24 follow one another from here.
inline constexpr int32_t F1 = 0x70;
inline constexpr int32_t F2 = F1 + 1;
inline constexpr int32_t F3 = F1 + 2;
inline constexpr int32_t F4 = F1 + 3;
inline constexpr int32_t F5 = F1 + 4;
inline constexpr int32_t F6 = F1 + 5;
inline constexpr int32_t F7 = F1 + 6;
inline constexpr int32_t F8 = F1 + 7;

}  // namespace tessaly::vk

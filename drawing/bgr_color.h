// The game keeps colours as 0x00BBGGRR values; Qt takes them as red, green and blue.
#pragma once

#include <QColor>
#include <cstdint>

namespace tessaly {

inline QColor ColorFromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace tessaly

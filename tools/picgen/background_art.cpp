#include "background_art.h"

#include <cstdint>

#include "drawing/bgr_color.h"
#include "engine/board_types.h"
#include "tile_face.h"

namespace tessaly::picgen {
namespace {

// The texture's coarse lattice divides the cell evenly, so the pattern wraps at its edges.
constexpr int kLattice = 5;

uint32_t Mix(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

double Noise(int number, int x, int y, uint32_t layer) {
    const uint32_t key = (uint32_t(number) * 73856093U) ^ (uint32_t(x) * 19349663U) ^
                         (uint32_t(y) * 83492791U) ^ (layer * 2654435761U);
    return (Mix(key) & 0xffffU) / 65535.0;
}

double Smooth(double t) {
    return t * t * (3 - 2 * t);
}

double LatticeNoise(int number, int x, int y) {
    const double step = double(CellSize) / kLattice;
    const int i = int(x / step), j = int(y / step);
    const double fx = Smooth(x / step - i), fy = Smooth(y / step - j);
    const auto at = [&](int a, int b) { return Noise(number, a % kLattice, b % kLattice, 1); };
    const double top = at(i, j) + (at(i + 1, j) - at(i, j)) * fx;
    const double bottom = at(i, j + 1) + (at(i + 1, j + 1) - at(i, j + 1)) * fx;
    return top + (bottom - top) * fy;
}

}  // namespace

QColor BackgroundColour(int number) {
    return ColorFromBgr(IndexToColor(number));
}

QImage PaintBackground(int number) {
    const QColor base = BackgroundColour(number);
    // The texture moves toward white on dark colours and toward black on bright ones, so it
    // shows on black and yellow alike while the colour stays the dominant one.
    const double luma = 0.299 * base.red() + 0.587 * base.green() + 0.114 * base.blue();
    const double target = luma < 110 ? 255.0 : 0.0;
    QImage image(CellSize, CellSize, QImage::Format_RGB32);
    for (int y = 0; y < CellSize; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < CellSize; ++x) {
            double t = 0.012 + 0.04 * LatticeNoise(number, x, y) + 0.018 * Noise(number, x, y, 2);
            if (x == 0 || y == 0) t += 0.09;
            const auto channel = [&](int c) { return int(c + (target - c) * t + 0.5); };
            row[x] = qRgb(channel(base.red()), channel(base.green()), channel(base.blue()));
        }
    }
    return image;
}

}  // namespace tessaly::picgen

#include "tile_likeness.h"

#include <algorithm>
#include <cmath>

#include "tile_face.h"

namespace tessaly::picgen {
namespace {

// Every tile shares the frame, so only the face can tell two apart.
constexpr int kFaceLeft = 4;
constexpr int kFaceSide = 40;
constexpr int kFacePixels = kFaceSide * kFaceSide;
// A glance takes in a tile as a few patches of colour: 5 x 5 of 8 x 8 pixels each.
constexpr int kGlanceGrid = 5;
// A pixel belongs to the picture where it stands out from the blank face by more than
// anti-aliasing and the face's gradient would.
constexpr int kDrawnStep = 24;

using Matrix = std::array<std::array<double, 3>, 3>;

// Machado, Oliveira and Fernandes (2009), severity 1, on linear RGB.
constexpr std::array<Matrix, kVisionCount> kSimulation{{
    {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}},
    {{{0.152286, 1.052583, -0.204868},
      {0.114503, 0.786281, 0.099216},
      {-0.003882, -0.048116, 1.051998}}},
    {{{0.367322, 0.860646, -0.227968},
      {0.280085, 0.672501, 0.047413},
      {-0.011820, 0.042940, 0.968881}}},
    {{{1.255528, -0.076749, -0.178779},
      {-0.078411, 0.930809, 0.147602},
      {0.004733, 0.691367, 0.303900}}},
}};

const std::array<double, 256>& LinearTable() {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

double LabCurve(double t) {
    return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
}

// Linear sRGB to CIELAB, white point D65.
std::array<float, 3> ToLab(const std::array<double, 3>& rgb) {
    const double x = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
    const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
    const double z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
    const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
    return {float(116 * fy - 16), float(500 * (fx - fy)), float(200 * (fy - fz))};
}

// A binomial blur of radius 2 (sigma 1 pixel): about what a glance at a 50-pixel tile resolves.
std::vector<float> Soften(const std::vector<float>& plane) {
    constexpr std::array<float, 5> kWeights{1 / 16.f, 4 / 16.f, 6 / 16.f, 4 / 16.f, 1 / 16.f};
    const auto at = [](int v) { return std::clamp(v, 0, kFaceSide - 1); };
    std::vector<float> across(plane.size()), result(plane.size());
    for (int y = 0; y < kFaceSide; ++y) {
        for (int x = 0; x < kFaceSide; ++x) {
            float sum = 0;
            for (int k = -2; k <= 2; ++k) sum += kWeights[k + 2] * plane[y * kFaceSide + at(x + k)];
            across[y * kFaceSide + x] = sum;
        }
    }
    for (int y = 0; y < kFaceSide; ++y) {
        for (int x = 0; x < kFaceSide; ++x) {
            float sum = 0;
            for (int k = -2; k <= 2; ++k)
                sum += kWeights[k + 2] * across[at(y + k) * kFaceSide + x];
            result[y * kFaceSide + x] = sum;
        }
    }
    return result;
}

// Mean SSIM over 8 x 8 windows every 4 pixels, on lightness from 0 to 100.
double StructuralSimilarity(const std::vector<float>& a, const std::vector<float>& b) {
    constexpr int kWindow = 8, kStep = 4;
    constexpr double n = kWindow * kWindow;
    constexpr double c1 = 1.0, c2 = 9.0;  // (0.01 L)^2 and (0.03 L)^2 for L up to 100
    double total = 0;
    int windows = 0;
    for (int top = 0; top + kWindow <= kFaceSide; top += kStep) {
        for (int left = 0; left + kWindow <= kFaceSide; left += kStep) {
            double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
            for (int y = top; y < top + kWindow; ++y) {
                for (int x = left; x < left + kWindow; ++x) {
                    const double p = a[y * kFaceSide + x], q = b[y * kFaceSide + x];
                    sa += p, sb += q, saa += p * p, sbb += q * q, sab += p * q;
                }
            }
            const double ma = sa / n, mb = sb / n;
            const double va = saa / n - ma * ma, vb = sbb / n - mb * mb, cov = sab / n - ma * mb;
            total +=
                (2 * ma * mb + c1) * (2 * cov + c2) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++windows;
        }
    }
    return total / windows;
}

}  // namespace

const char* VisionName(Vision vision) {
    switch (vision) {
        case Vision::Normal:
            return "full colour vision";
        case Vision::Protanopia:
            return "protanopia";
        case Vision::Deuteranopia:
            return "deuteranopia";
        case Vision::Tritanopia:
            return "tritanopia";
    }
    return "?";
}

QImage SimulateVision(const QImage& image, Vision vision) {
    QImage seen = image.convertToFormat(QImage::Format_RGB32);
    const std::array<double, 256>& linear = LinearTable();
    const Matrix& m = kSimulation[int(vision)];
    const auto encode = [](double c) {
        c = std::clamp(c, 0.0, 1.0);
        c = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
        return int(std::lround(255 * c));
    };
    for (int y = 0; y < seen.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(seen.scanLine(y));
        for (int x = 0; x < seen.width(); ++x) {
            const double r = linear[qRed(row[x])], g = linear[qGreen(row[x])],
                         b = linear[qBlue(row[x])];
            row[x] = qRgb(encode(m[0][0] * r + m[0][1] * g + m[0][2] * b),
                          encode(m[1][0] * r + m[1][1] * g + m[1][2] * b),
                          encode(m[2][0] * r + m[2][1] * g + m[2][2] * b));
        }
    }
    return seen;
}

TileLook LookOf(const QImage& tile, const QImage& art) {
    // A tile with nothing on its face tells the picture from the face.
    static const QImage face = [] {
        QImage nothing(kArtBox, kArtBox, QImage::Format_ARGB32_Premultiplied);
        nothing.fill(Qt::transparent);
        return PaintTile(nothing, Qt::gray).convertToFormat(QImage::Format_RGB32);
    }();
    const QImage image = tile.convertToFormat(QImage::Format_RGB32);
    const std::array<double, 256>& linear = LinearTable();
    TileLook look;
    look.drawn.resize(kFacePixels);
    std::vector<std::array<double, 3>> rgb(kFacePixels);
    for (int y = 0; y < kFaceSide; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(kFaceLeft + y));
        const auto* empty = reinterpret_cast<const QRgb*>(face.constScanLine(kFaceLeft + y));
        for (int x = 0; x < kFaceSide; ++x) {
            const QRgb p = row[kFaceLeft + x], q = empty[kFaceLeft + x];
            rgb[y * kFaceSide + x] = {linear[qRed(p)], linear[qGreen(p)], linear[qBlue(p)]};
            look.drawn[y * kFaceSide + x] =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))}) > kDrawnStep;
        }
    }
    look.silhouette.resize(kFacePixels);
    if (art.isNull()) {
        for (int i = 0; i < kFacePixels; ++i) look.silhouette[i] = look.drawn[i];
    } else {
        // The picture sits one pixel inside the face's corner (tile_face.cpp).
        const QImage alpha = art.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < std::min(kFaceSide - 1, alpha.height()); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(alpha.constScanLine(y));
            for (int x = 0; x < std::min(kFaceSide - 1, alpha.width()); ++x) {
                look.silhouette[(y + 1) * kFaceSide + x + 1] = qAlpha(row[x]) / 255.f;
            }
        }
    }
    look.silhouette = Soften(look.silhouette);
    for (int v = 0; v < kVisionCount; ++v) {
        const Matrix& m = kSimulation[v];
        std::array<std::vector<float>, 3> planes;
        for (auto& plane : planes) plane.resize(kFacePixels);
        for (int i = 0; i < kFacePixels; ++i) {
            std::array<double, 3> seen{};
            for (int c = 0; c < 3; ++c) {
                seen[c] = std::clamp(
                    m[c][0] * rgb[i][0] + m[c][1] * rgb[i][1] + m[c][2] * rgb[i][2], 0.0, 1.0);
            }
            const std::array<float, 3> lab = ToLab(seen);
            for (int c = 0; c < 3; ++c) planes[c][i] = lab[c];
        }
        for (auto& plane : planes) plane = Soften(plane);
        look.lab[v].resize(3 * kFacePixels);
        for (int i = 0; i < kFacePixels; ++i) {
            for (int c = 0; c < 3; ++c) look.lab[v][3 * i + c] = planes[c][i];
        }
        if (Vision(v) == Vision::Normal) look.lightness = planes[0];
    }
    return look;
}

// The face as kGlanceGrid x kGlanceGrid patches, each the mean of its pixels' L, a, b.
static std::vector<double> Patches(const std::vector<float>& lab, bool mirrored) {
    std::vector<double> grid(3 * kGlanceGrid * kGlanceGrid, 0.0);
    std::vector<int> counts(kGlanceGrid * kGlanceGrid, 0);
    for (int y = 0; y < kFaceSide; ++y) {
        for (int x = 0; x < kFaceSide; ++x) {
            const int gx = (mirrored ? kFaceSide - 1 - x : x) * kGlanceGrid / kFaceSide;
            const int cell = (y * kGlanceGrid / kFaceSide) * kGlanceGrid + gx;
            for (int c = 0; c < 3; ++c) grid[3 * cell + c] += lab[3 * (y * kFaceSide + x) + c];
            ++counts[cell];
        }
    }
    for (int cell = 0; cell < kGlanceGrid * kGlanceGrid; ++cell) {
        for (int c = 0; c < 3; ++c) grid[3 * cell + c] /= std::max(1, counts[cell]);
    }
    return grid;
}

static double GlanceDifference(const TileLook& a, const TileLook& b) {
    double least = HUGE_VAL;
    for (int v = 0; v < kVisionCount; ++v) {
        const std::vector<double> p = Patches(a.lab[v], false);
        for (const bool mirrored : {false, true}) {
            const std::vector<double> q = Patches(b.lab[v], mirrored);
            double sum = 0;
            for (int cell = 0; cell < kGlanceGrid * kGlanceGrid; ++cell) {
                const double dl = p[3 * cell] - q[3 * cell], da = p[3 * cell + 1] - q[3 * cell + 1],
                             db = p[3 * cell + 2] - q[3 * cell + 2];
                sum += std::sqrt(dl * dl + da * da + db * db);
            }
            least = std::min(least, sum / (kGlanceGrid * kGlanceGrid));
        }
    }
    return least;
}

Likeness Compare(const TileLook& a, const TileLook& b) {
    Likeness likeness;
    likeness.colour = HUGE_VAL;
    for (int v = 0; v < kVisionCount; ++v) {
        const std::vector<float>& p = a.lab[v];
        const std::vector<float>& q = b.lab[v];
        double sum = 0;
        int counted = 0;
        for (int i = 0; i < kFacePixels; ++i) {
            if (!a.drawn[i] && !b.drawn[i]) continue;
            ++counted;
            const float dl = p[3 * i] - q[3 * i], da = p[3 * i + 1] - q[3 * i + 1],
                        db = p[3 * i + 2] - q[3 * i + 2];
            sum += std::sqrt(dl * dl + da * da + db * db);
        }
        const double mean = counted ? sum / counted : 0;
        if (mean < likeness.colour) likeness.colour = mean, likeness.vision = Vision(v);
    }
    likeness.structure = StructuralSimilarity(a.lightness, b.lightness);
    likeness.glance = GlanceDifference(a, b);
    // A creature facing left is the same creature facing right to a player's eye.
    for (const bool mirrored : {false, true}) {
        double both = 0, either = 0;
        for (int y = 0; y < kFaceSide; ++y) {
            for (int x = 0; x < kFaceSide; ++x) {
                const float p = a.silhouette[y * kFaceSide + x];
                const float q = b.silhouette[y * kFaceSide + (mirrored ? kFaceSide - 1 - x : x)];
                both += std::min(p, q);
                either += std::max(p, q);
            }
        }
        likeness.silhouette = std::max(likeness.silhouette, either > 0 ? both / either : 1);
    }
    return likeness;
}

bool LooksAlikeInDrawing(const Likeness& likeness) {
    return likeness.structure >= kMostSharedStructure ||
           likeness.structure >=
               kSharedStructureWithoutColour + kSharedStructurePerDeltaE * likeness.colour;
}

bool LooksAlikeInSilhouette(const Likeness& likeness) {
    return likeness.structure >= kSilhouetteWithSomeStructure &&
           likeness.silhouette >=
               kSharedSilhouetteWithoutColour + kSharedSilhouettePerDeltaE * likeness.colour;
}

}  // namespace tessaly::picgen
